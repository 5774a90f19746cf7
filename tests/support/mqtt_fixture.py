"""A real Mosquitto broker for a test, and a small MQTT 3.1.1 client of the
test's own (standard library only).

Broker: Debian's mosquitto on free loopback ports, with its own config file
in a temporary folder; it can be stopped and started again on the same
ports. Peer: connects, subscribes, publishes at QoS 0, and keeps every
message it receives; wait() reads until a message that matches arrives,
bounded in time. Nothing here sleeps for luck.
"""
import os
import pwd
import select
import shutil
import socket
import subprocess
import time

MOSQUITTO = "/usr/sbin/mosquitto"


def free_port(kind=socket.SOCK_STREAM):
    with socket.socket(socket.AF_INET, kind) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_until(what, check, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = check()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"waited {seconds:.0f} s for {what}")


class Broker:
    """listeners: name -> extra config lines for that listener."""

    def __init__(self, folder, listeners):
        self.folder = folder
        self.ports = {name: free_port() for name in listeners}
        # Started as root, mosquitto would become the user "mosquitto", who
        # may not read the test's folder.
        user = pwd.getpwuid(os.getuid()).pw_name
        lines = ["per_listener_settings true", "persistence false", f"log_dest file {folder}/broker.log", f"user {user}"]
        for name, extra in listeners.items():
            lines.append(f"listener {self.ports[name]} 127.0.0.1")
            lines.extend(extra)
        self.config = os.path.join(folder, "mosquitto.conf")
        with open(self.config, "w") as f:
            f.write("\n".join(lines) + "\n")
        self.process = None

    @staticmethod
    def available():
        return os.access(MOSQUITTO, os.X_OK) and shutil.which("mosquitto_passwd") is not None

    def start(self):
        self.process = subprocess.Popen([MOSQUITTO, "-c", self.config], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

        def listening():
            try:
                socket.create_connection(("127.0.0.1", self.ports["plain"]), timeout=1).close()
                return True
            except OSError:
                if self.process.poll() is not None:
                    raise AssertionError(f"mosquitto exited: {open(self.folder + '/broker.log').read()[-2000:]}")
                return False
        wait_until("the broker to listen", listening)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)


def _string(text):
    data = text.encode() if isinstance(text, str) else text
    return len(data).to_bytes(2, "big") + data


def _packet(kind, body):
    length = len(body)
    encoded = bytearray()
    while True:
        byte, length = length % 128, length // 128
        encoded.append(byte | (0x80 if length else 0))
        if not length:
            return bytes([kind]) + bytes(encoded) + body


class Message:
    def __init__(self, topic, payload, retained):
        self.topic, self.payload, self.retained = topic, payload, retained

    def __repr__(self):
        return f"{self.topic} {self.payload[:80]!r}{' (retained)' if self.retained else ''}"


class Peer:
    def __init__(self, port, client_id, user=None, password=None):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=5)
        flags = 0x02 | (0x80 if user else 0) | (0x40 if password else 0)
        body = _string("MQTT") + bytes([4, flags]) + (0).to_bytes(2, "big") + _string(client_id)
        if user:
            body += _string(user)
        if password:
            body += _string(password)
        self.socket.sendall(_packet(0x10, body))
        self.buffer = b""
        self.messages = []
        self.next_id = 1
        kind, body = self._read_packet(5.0)
        if kind != 0x20 or body[1] != 0:
            raise AssertionError(f"the broker refused the test's client: {body!r}")

    def close(self):
        try:
            self.socket.sendall(_packet(0xE0, b""))
        except OSError:
            pass
        self.socket.close()

    def subscribe(self, topic):
        self.next_id += 1
        self.socket.sendall(_packet(0x82, self.next_id.to_bytes(2, "big") + _string(topic) + b"\x00"))

    def publish(self, topic, payload, retain=False):
        data = payload.encode() if isinstance(payload, str) else payload
        self.socket.sendall(_packet(0x30 | (1 if retain else 0), _string(topic) + data))

    def _read_packet(self, seconds):
        deadline = time.monotonic() + seconds
        while True:
            if len(self.buffer) >= 2:
                length, shift, i = 0, 0, 1
                while i < len(self.buffer):
                    length |= (self.buffer[i] & 0x7F) << shift
                    shift += 7
                    i += 1
                    if not self.buffer[i - 1] & 0x80:
                        break
                else:
                    i = None
                if i is not None and len(self.buffer) >= i + length:
                    kind, body = self.buffer[0], self.buffer[i:i + length]
                    self.buffer = self.buffer[i + length:]
                    return kind, body
            left = deadline - time.monotonic()
            if left <= 0:
                return None, None
            ready, _, _ = select.select([self.socket], [], [], left)
            if ready:
                data = self.socket.recv(1 << 20)
                if not data:
                    raise AssertionError("the broker closed the test's connection")
                self.buffer += data

    def _take(self, seconds):
        kind, body = self._read_packet(seconds)
        if kind is not None and kind & 0xF0 == 0x30:
            n = int.from_bytes(body[:2], "big")
            self.messages.append(Message(body[2:2 + n].decode(), body[2 + n:], bool(kind & 1)))

    def mark(self):
        return len(self.messages)

    def wait(self, what, match, since=0, seconds=10.0):
        """The first message from index since on that match accepts."""
        deadline = time.monotonic() + seconds
        while True:
            for m in self.messages[since:]:
                if match(m):
                    return m
            since = max(since, len(self.messages))
            left = deadline - time.monotonic()
            if left <= 0:
                tail = "\n  ".join(map(repr, self.messages[-15:]))
                raise AssertionError(f"waited {seconds:.0f} s for {what}; last messages:\n  {tail}")
            self._take(left)
