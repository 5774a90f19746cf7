#!/usr/bin/env python3
"""dalvimo-web in a real headless browser, as a phone opens it.

Starts the simulator, dalvimo-web bound to loopback, and chromedriver with
Debian's chromium; speaks WebDriver over HTTP with the standard library only.
Opens the pairing address, waits for the alarms the simulator holds, taps
"Заглушить будильник", edits alarm 2's time and taps its "Сохранить", and
checks what the simulator received. Saves a screenshot at a phone's size.

    phone.py <dalvimo-web> <quorvan-sim> <screenshot.png>

Exits 77 (skipped) only when chromium or chromedriver is missing. Every wait
is bounded.
"""
import base64
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

WIDTH, HEIGHT = 390, 844
CHROMIUM = "/usr/bin/chromium"


def free_port(kind=socket.SOCK_STREAM):
    with socket.socket(socket.AF_INET, kind) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(what, check, seconds=20.0, on_fail=None):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = check()
        if value:
            return value
        time.sleep(0.1)
    seen = f"; seen: {on_fail()}" if on_fail else ""
    raise SystemExit(f"FAIL: waited {seconds:.0f} s for {what}{seen}")


class Driver:
    def __init__(self, port):
        self.base = f"http://127.0.0.1:{port}"
        self.session = None

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=30) as reply:
                return json.load(reply)["value"]
        except urllib.error.HTTPError as e:
            raise SystemExit(f"FAIL: WebDriver {method} {path}: {e.read().decode(errors='replace')[:500]}")

    def start(self, profile):
        args = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-dev-shm-usage", "--lang=ru-RU", f"--user-data-dir={profile}", f"--window-size={WIDTH},{HEIGHT}"]
        caps = {"capabilities": {"alwaysMatch": {"goog:chromeOptions": {
            "binary": CHROMIUM, "args": args,
            "mobileEmulation": {"deviceMetrics": {"width": WIDTH, "height": HEIGHT, "pixelRatio": 1.0,
                                                  "touch": True}}}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]

    def s(self, path):
        return f"/session/{self.session}{path}"

    def go(self, url):
        self.call("POST", self.s("/url"), {"url": url})

    def script(self, code, *args):
        return self.call("POST", self.s("/execute/sync"), {"script": code, "args": list(args)})

    def element(self, css):
        found = self.call("POST", self.s("/element"), {"using": "css selector", "value": css})
        return next(iter(found.values()))

    def click(self, css):
        self.call("POST", self.s(f"/element/{self.element(css)}/click"), {})

    def screenshot(self, path):
        with open(path, "wb") as f:
            f.write(base64.b64decode(self.call("GET", self.s("/screenshot"))))

    def quit(self):
        if self.session:
            try:
                self.call("DELETE", self.s(""))
            except SystemExit:
                pass


def main():
    web, sim, shot = sys.argv[1:4]
    if not os.access(CHROMIUM, os.X_OK) or not shutil.which("chromedriver"):
        print("SKIPPED: chromium or chromedriver is not installed (scripts/setup.sh installs them)")
        return 77
    work = tempfile.mkdtemp()
    procs = []
    driver = None
    try:
        sim_port = free_port(socket.SOCK_DGRAM)
        sim_log = open(os.path.join(work, "sim.log"), "w+", encoding="utf-8")
        procs.append(subprocess.Popen([sim, "--port", str(sim_port)], stdout=sim_log, stderr=subprocess.STDOUT))
        web_port = free_port()
        web_log = open(os.path.join(work, "web.log"), "w+", encoding="utf-8")
        procs.append(subprocess.Popen([web, "-s", f"127.0.0.1:{sim_port}", "--port", str(web_port),
                                       "--bind", "127.0.0.1", "--token-file", os.path.join(work, "token")],
                                      stdout=web_log, stderr=subprocess.STDOUT))

        def pairing():
            web_log.seek(0)
            return next((line.strip() for line in web_log if "#token=" in line), None)

        address = wait_for("the pairing address", pairing)
        assert address.startswith(f"http://127.0.0.1:{web_port}/#token="), address

        def heard():
            sim_log.flush()
            with open(sim_log.name, encoding="utf-8") as f:
                return [line.split(" ", 2)[2].rstrip("\n") for line in f if line.startswith("<- ")]

        driver_port = free_port()
        procs.append(subprocess.Popen(["chromedriver", f"--port={driver_port}"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        driver = Driver(driver_port)
        wait_for("chromedriver", lambda: _answers(driver))
        driver.start(os.path.join(work, "profile"))
        driver.go(address)

        ring = lambda: driver.script("const e = document.querySelector('#alarm-1 input[type=text]');"
                                     "return e ? e.value : null;")
        got = wait_for("alarm 1 from the simulator", ring)
        assert got == "Подъём!", got
        assert "token" not in driver.script("return location.href;"), "the token stays in the address bar"

        before = len(heard())
        driver.click("#silence")
        wait_for("Sbd0 at the simulator", lambda: "Sbd0" in heard()[before:])

        driver.script("const t = document.querySelector('#alarm-2 input[type=time]');"
                      "t.value = '06:45:10'; t.dispatchEvent(new Event('input', {bubbles: true}));")
        before = len(heard())
        driver.click("#alarm-2 button")
        # "Beep" is shorter than a ring text that goes out: the window leaves it off too.
        wanted = "Sbd2|6:45:10|0"
        wait_for(wanted + " at the simulator", lambda: wanted in heard()[before:], on_fail=lambda: heard()[before:])
        wait_for("alarm 2 read back on the page",
                 lambda: driver.script("return document.querySelector('#alarm-2 input[type=time]').value;")
                 == "06:45:10")
        message = driver.script("return document.getElementById('message').textContent;")
        assert message == "", message
        driver.screenshot(shot)
        print(f"PASS: page filled, silenced, alarm 2 saved; screenshot {shot}")
        return 0
    finally:
        if driver:
            driver.quit()
        for p in reversed(procs):
            p.terminate()
            try:
                p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(work, ignore_errors=True)


def _answers(driver):
    try:
        with urllib.request.urlopen(driver.base + "/status", timeout=2) as reply:
            return json.load(reply)["value"].get("ready")
    except OSError:
        return False


if __name__ == "__main__":
    sys.exit(main())
