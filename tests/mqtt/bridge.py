#!/usr/bin/env python3
"""dalvimo-mqtt between a real Mosquitto broker and the simulator.

The broker (tests/support/mqtt_fixture.py) listens on three loopback ports:
plain and anonymous, with a password file, and TLS with a certificate made
here. The simulator logs every datagram it receives; the test's own MQTT
client subscribes and publishes. One table of commands, then what happens
when Quorvan, the broker or the bridge go away, then credentials, TLS and
--remove.

    bridge.py <dalvimo-mqtt> <quorvan-sim>

Exits 77 (skipped) only where Debian's mosquitto is not installed.
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from mqtt_fixture import Broker, Peer, free_port, wait_until  # noqa: E402

CAPTION = "Кухня"
BASE = "dalvimo"
# Short enough for a test, long enough for a sanitizer build's exchanges.
POLL_MS, TIMEOUT_MS, RETRIES = 500, 300, 1

# Every entity: component, object, name as the window has it.
ENTITIES = [("button", "silence", "Заглушить будильник"), ("button", "alarms_toggle", "Откл/Вкл. будильников")]
for n in range(1, 5):
    ENTITIES += [("switch", f"alarm{n}_active", f"Будильник {n}"), ("text", f"alarm{n}_time", f"Время будильника {n}"),
                 ("text", f"alarm{n}_ring", f"Текст будильника {n}")]
ENTITIES += [("select", "skin", "Скин"), ("select", "style", "Стиль"), ("select", "transparency", "Уровень прозрачности"),
             ("select", "brightness", "Уровень яркости"), ("switch", "flag_hide", "Показать/спрятать"),
             ("switch", "flag_on_top", "Всегда впереди"), ("switch", "flag_fix_text", "Фиксировать текст"),
             ("switch", "flag_lock", "Блокировать"), ("binary_sensor", "answers", "Отвечает ли Quorvan")]

# object, payload, the setting commands Quorvan receives (reads left out),
# the state published afterwards (the real one again when refused).
COMMANDS = [
    ("silence", "PRESS", ["Sbd0"], None),
    ("alarm2_active", "ON", ["Sbd2|8:30:0|1"], "ON"),
    ("alarm2_time", "6:45", ["Sbd2|6:45:0|1"], "6:45"),
    ("alarm2_ring", "Вставай!", ["Sbd2|6:45:0|1|Вставай!"], "Вставай!"),
    ("alarm3_time", "13:50:05", ["Sbd3|13:50:5|1"], "13:50:05"),  # a ring under 5 characters stays home
    ("transparency", "40", ["SfaT|40|20|100|1"], "40"),
    ("brightness", "50", ["SfaB|50|25|100"], "50"),
    ("style", "3. Blue", ["Sst2"], "3. Blue"),
    ("skin", "2", ["Ssk1"], "2"),
    ("flag_on_top", "OFF", ["Sfa1"], "OFF"),
    ("flag_on_top", "OFF", [], "OFF"),  # already off: the toggle stays home
    ("alarms_toggle", "PRESS", ["Sbd1"], None),
    ("alarms_toggle", "PRESS", ["Sbd1"], None),
    # Refused: nothing on the wire, the real state again.
    ("alarm1_time", "25:99", [], "7:05"),
    ("alarm1_time", "7:5 ", [], "7:05"),
    ("alarm1_ring", "ab|cd|ef", [], "Подъём!"),
    ("alarm1_ring", "Ночь", [], "Подъём!"),
    ("alarm1_ring", "x" * (1 << 20), [], "Подъём!"),
    ("alarm1_ring", b"\xff\xfe bad", [], "Подъём!"),
    ("alarm1_active", "MAYBE", [], "ON"),
    ("transparency", "55", [], "40"),
    ("transparency", "", [], "40"),
    ("skin", "99", [], "2"),
    ("flag_lock", "on", [], "OFF"),
]


def fail(message):
    raise SystemExit(f"FAIL: {message}")


class Sim:
    def __init__(self, program, folder):
        self.program, self.port, self.log = program, free_port(), os.path.join(folder, "sim.log")
        self.process = None

    def start(self):
        self.process = subprocess.Popen([self.program, "--port", str(self.port)], stdout=open(self.log, "a"),
                                        stderr=subprocess.STDOUT)
        wait_until("the simulator to listen", lambda: "listening" in open(self.log).read())

    def stop(self):
        self.process.terminate()
        self.process.wait(10)

    def settings(self, since):
        """The setting commands received since a length of the log."""
        lines = open(self.log, encoding="utf-8").read()[since:].splitlines()
        texts = [line.split(" ", 2)[2] for line in lines if line.startswith("<- ") and line.count(" ") >= 2]
        return [t for t in texts if not t.startswith("G") and t != "ping"]

    def mark(self):
        return len(open(self.log, encoding="utf-8").read())


class Bridge:
    def __init__(self, program, folder, *args):
        self.log = os.path.join(folder, f"bridge-{free_port()}.log")
        env = dict(os.environ, HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, ".config"),
                   ASAN_OPTIONS="detect_leaks=0")
        env.pop("DALVIMO_SERVER", None)
        self.process = subprocess.Popen([program, *args], stdout=open(self.log, "w"), stderr=subprocess.STDOUT,
                                        env=env)

    def text(self):
        return open(self.log, encoding="utf-8").read()


def make_certificate(folder):
    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                    "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=localhost",
                    "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"], check=True, capture_output=True)
    os.chmod(key, 0o644)  # the broker reads it as whoever runs the test
    return key, cert


def check_discovery(peer, port, node):
    # Once the last config is out, a newcomer gets every one of them retained.
    peer.wait("the last config", lambda m: m.topic == f"homeassistant/select/{node}/brightness/config" and m.payload)
    peer = Peer(port, "test-newcomer")
    peer.subscribe("homeassistant/#")
    for component, obj, name in ENTITIES:
        topic = f"homeassistant/{component}/{node}/{obj}/config"
        m = peer.wait(f"the config of {obj}", lambda m: m.topic == topic and m.payload)
        if not m.retained:
            fail(f"{topic} is not retained")
        c = json.loads(m.payload)
        if c["name"] != name or c["unique_id"] != f"dalvimo_{node}_{obj}" or c["device"]["name"] != CAPTION:
            fail(f"{topic}: {c}")
        if (component != "binary_sensor") != (c.get("command_topic") == f"{BASE}/{node}/{obj}/set"):
            fail(f"{topic}: command topic {c.get('command_topic')}")
        if (component != "button") != (c.get("state_topic") == f"{BASE}/{node}/{obj}"):
            fail(f"{topic}: state topic {c.get('state_topic')}")
        topics = [a["topic"] for a in c["availability"]]
        if topics[0] != f"{BASE}/bridge/status" or (component != "binary_sensor") != (f"{BASE}/{node}/status" in topics):
            fail(f"{topic}: availability {topics}")
        if len(topics) > 1 and c.get("availability_mode") != "all":
            fail(f"{topic}: available when either says so: {c.get('availability_mode')}")
    peer.close()
    print(f"ok: {len(ENTITIES)} configs retained, each naming its topics")


def check_commands(peer, sim, node):
    for obj, payload, wire, state in COMMANDS:
        shown = payload if len(payload) < 40 else f"{len(payload)} bytes"
        since, log_since = peer.mark(), sim.mark()
        peer.publish(f"{BASE}/{node}/{obj}/set", payload)
        if state is not None:
            peer.wait(f"{obj} ← {shown!r}: the state {state!r} published again",
                      lambda m: m.topic == f"{BASE}/{node}/{obj}" and not m.retained and m.payload == state.encode(),
                      since)
        else:
            wait_until(f"{obj} ← {shown!r}: {wire} on the wire", lambda: sim.settings(log_since) == wire)
        got = sim.settings(log_since)
        if got != wire:
            fail(f"{obj} ← {shown!r}: Quorvan received {got}, not {wire}")
        print(f"ok: {obj} ← {shown!r}: {wire or 'nothing on the wire'}")


def main():
    if len(sys.argv) != 3:
        fail("usage: bridge.py <dalvimo-mqtt> <quorvan-sim>")
    if not Broker.available():
        print("SKIP: Debian's mosquitto is not installed")
        return 77
    folder = tempfile.mkdtemp(prefix="dalvimo-mqtt-")
    # A copy of the program, so that the window's settings file beside it is the test's own.
    program = os.path.join(folder, "dalvimo-mqtt")
    shutil.copy(sys.argv[1], program)
    sim = Sim(sys.argv[2], folder)
    with open(os.path.join(folder, "dalvimo.cfg"), "w", encoding="cp1251", newline="\r\n") as f:
        f.write(f"[General]\nClockIP_1=127.0.0.1|{CAPTION}\n")
    subprocess.run(["mosquitto_passwd", "-b", "-c", os.path.join(folder, "passwd"), "bridge", "s3cret"], check=True)
    key, cert = make_certificate(folder)
    broker = Broker(folder, {"plain": ["allow_anonymous true"],
                             "auth": ["allow_anonymous false", f"password_file {folder}/passwd"],
                             "tls": ["allow_anonymous true", f"certfile {cert}", f"keyfile {key}"]})
    bridges, peer = [], None
    node = f"quorvan_127_0_0_1_{sim.port}"

    def bridge(*args):
        b = Bridge(program, folder, "-s", f"127.0.0.1:{sim.port}", "--broker", "127.0.0.1", "--poll", str(POLL_MS),
                   "--timeout", str(TIMEOUT_MS), "--retries", str(RETRIES), *args)
        bridges.append(b)
        return b

    def watch():
        p = Peer(broker.ports["plain"], f"test-{free_port()}")
        p.subscribe("#")
        return p

    def live(topic, payload):
        return lambda m: m.topic == topic and not m.retained and m.payload == payload.encode()

    try:
        sim.start()
        broker.start()
        main_bridge = bridge("--broker-port", str(broker.ports["plain"]))
        peer = watch()
        check_discovery(peer, broker.ports["plain"], node)
        check_commands(peer, sim, node)

        # Quorvan goes away and comes back: its entities follow within the poll interval.
        since = peer.mark()
        sim.stop()
        peer.wait("offline once Quorvan stops", live(f"{BASE}/{node}/status", "offline"), since, seconds=8)
        peer.wait("answers OFF", live(f"{BASE}/{node}/answers", "OFF"), since)
        since = peer.mark()
        sim.start()
        peer.wait("online once Quorvan is back", live(f"{BASE}/{node}/status", "online"), since, seconds=8)
        print("ok: Quorvan stopped: offline; started again: online")

        # Home Assistant comes back: everything is published again.
        since = peer.mark()
        peer.publish("homeassistant/status", "online")
        peer.wait("the configs again for Home Assistant",
                  lambda m: m.topic == f"homeassistant/button/{node}/silence/config" and not m.retained, since)
        print("ok: homeassistant/status online: configs published again")

        # The broker goes away, retained messages and all, and comes back.
        peer.close()
        broker.stop()
        broker.start()
        peer = watch()
        peer.wait("the configs after the broker's restart",
                  lambda m: m.topic == f"homeassistant/select/{node}/style/config" and m.payload, seconds=15)
        peer.wait("the bridge online again", lambda m: m.topic == f"{BASE}/bridge/status" and m.payload == b"online")
        print("ok: broker restarted: reconnected and published again")

        # Credentials and TLS, each a bridge of its own on its own topics.
        cfg = os.path.join(folder, "broker.conf")
        with open(cfg, "w") as f:
            f.write(f"# the test's broker\nbroker-port = {broker.ports['auth']}\n")
        os.chmod(cfg, 0o600)
        b = bridge("--config", cfg)
        b.process.wait(30)
        if b.process.returncode != 1 or "неизвестный ключ" not in b.text():
            fail(f"a config file with an unknown key: exit {b.process.returncode}: {b.text()}")
        with open(cfg, "w") as f:
            f.write(f"port = {broker.ports['auth']}\nuser = bridge\npassword = s3cret\n")
        os.chmod(cfg, 0o644)
        b = bridge("--config", cfg, "--topic", "auth", "--discovery-prefix", "auth-ha")
        b.process.wait(30)
        if b.process.returncode != 1 or "chmod 600" not in b.text():
            fail(f"a password file others may read: exit {b.process.returncode}: {b.text()}")
        os.chmod(cfg, 0o600)
        # A command someone left retained is no command given now.
        peer.publish(f"auth/{node}/alarm1_active/set", "OFF", retain=True)
        since, log_since = peer.mark(), sim.mark()
        b = bridge("--config", cfg, "--topic", "auth", "--discovery-prefix", "auth-ha")
        peer.wait("the bridge online with its password", live("auth/bridge/status", "online"), since)
        wait_until("a retained command refused", lambda: "retained" in b.text())
        if sim.settings(log_since):
            fail(f"a retained command went out: {sim.settings(log_since)}")
        peer.publish(f"auth/{node}/alarm1_active/set", "", retain=True)
        bad = bridge("--config", cfg, "--topic", "wrong", "--discovery-prefix", "wrong-ha", "--password", "nope")
        wait_until("a wrong password refused", lambda: "отказ" in bad.text())
        since = peer.mark()
        bridge("--broker-port", str(broker.ports["tls"]), "--cafile", cert, "--topic", "tls", "--discovery-prefix", "tls-ha")
        peer.wait("the bridge online over TLS", live("tls/bridge/status", "online"), since)
        # The system's authorities do not vouch for the test's certificate.
        untrusted = bridge("--broker-port", str(broker.ports["tls"]), "--tls", "--topic", "tls2",
                           "--discovery-prefix", "tls2-ha")
        wait_until("an unknown certificate refused", lambda: "ошибка TLS" in untrusted.text())
        print("ok: a readable password file refused; password, a retained command refused, wrong password, TLS, "
              "an unknown certificate")

        # Stopped (systemd, kill): offline said by the bridge itself, a clean goodbye, status 0.
        since = peer.mark()
        stopped = bridge("--broker-port", str(broker.ports["plain"]), "--topic", "term", "--discovery-prefix", "term-ha")
        peer.wait("the bridge to be stopped online", live("term/bridge/status", "online"), since)
        since = peer.mark()
        stopped.process.send_signal(signal.SIGTERM)
        if stopped.process.wait(30) != 0:
            fail(f"SIGTERM: exit {stopped.process.returncode}: {stopped.text()}")
        peer.wait("offline on SIGTERM", live("term/bridge/status", "offline"), since)
        print("ok: SIGTERM: offline, exit 0")

        # Killed outright: its last will says offline.
        since = peer.mark()
        main_bridge.process.kill()
        peer.wait("the last will", live(f"{BASE}/bridge/status", "offline"), since)
        later = Peer(broker.ports["plain"], "test-later")
        later.subscribe(f"{BASE}/bridge/status")
        later.wait("the last will kept for whoever comes later",
                   lambda m: m.retained and m.payload == b"offline")
        later.close()
        print("ok: kill -9: offline through the last will, retained")

        # --remove empties every retained message of the Quorvan.
        gone = bridge("--broker-port", str(broker.ports["plain"]), "--remove")
        if gone.process.wait(30) != 0:
            fail(f"--remove: exit {gone.process.returncode}: {gone.text()}")
        peer.close()
        peer = Peer(broker.ports["plain"], "test-after-remove")
        peer.publish("sentinel", "last", retain=True)
        peer.subscribe(f"homeassistant/+/{node}/#")
        peer.subscribe(f"{BASE}/{node}/#")
        peer.subscribe("sentinel")
        peer.wait("the sentinel", lambda m: m.topic == "sentinel")
        left = [m for m in peer.messages if m.topic != "sentinel"]
        if left:
            fail(f"--remove left {left}")
        print("ok: --remove left nothing retained")
    finally:
        if peer:
            peer.close()
        for b in bridges:
            if b.process.poll() is None:
                b.process.send_signal(signal.SIGTERM)
                b.process.wait(10)
        if sim.process and sim.process.poll() is None:
            sim.stop()
        broker.stop()
        print("--- bridge log ---\n" + (bridges[0].text() if bridges else ""))
        shutil.rmtree(folder, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
