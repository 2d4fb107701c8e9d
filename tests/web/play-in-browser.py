#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Plays the web page in headless Chromium as play-game.sh plays the desktop game: the canvas
shows the desktop's golden screens at the same game states (both hosts show the same 8-bit
screen, compared through its palette), a reload restores the saved game from the browser's
storage, and after the quit question the page says the game has ended.

Usage: play-in-browser.py <folder with index.html>. Needs python3-selenium, python3-pil,
chromium and chromium-driver."""
import base64, contextlib, io, os, shutil, socket, subprocess, sys, tempfile, time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

GOLDEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "game")
DATI = "/kesa/Settings/KesaPegline.exe/dati/"
GO_FOCUS = (82, 316, 176, 342)


@contextlib.contextmanager
def served(folder):
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    server = subprocess.Popen([sys.executable, "-m", "http.server", str(port), "--bind", "127.0.0.1",
                               "--directory", folder], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            with contextlib.suppress(OSError):
                socket.create_connection(("127.0.0.1", port), 0.1).close()
                break
            time.sleep(0.05)
        yield f"http://127.0.0.1:{port}/"
    finally:
        server.terminate()
        server.wait()


@contextlib.contextmanager
def chromium():
    profile = tempfile.mkdtemp(prefix="kesa-web-e2e-")
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    # Selenium reaches chromedriver at "localhost": a root without /etc/hosts (a bare chroot)
    # fails with "Can not connect to the Service", which names the wrong culprit.
    try:
        socket.getaddrinfo("localhost", None)
    except socket.gaierror:
        raise SystemExit("web e2e: the name localhost does not resolve (no /etc/hosts?); "
                         "Selenium needs it to reach chromedriver")
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"),
                              options=options)
    try:
        # An 800 x 600 page: the screen at 1x, no scaling between it and the golden pictures.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 800, "height": 600, "deviceScaleFactor": 1, "mobile": False})
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def wait_for(driver, script, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        value = driver.execute_script("return " + script)
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {script}")


def settle(driver, quiet=0.4, after=None):
    """Waits until the page has shown no new frame for `quiet` seconds; with `after` (a frame
    count), first for a frame past it: a loaded machine may take longer than `quiet` to answer."""
    if after is not None:
        wait_for(driver, f"Module.kesaPresents > {after}")
    last, since = None, time.time()
    while time.time() - since < quiet:
        now = driver.execute_script("return Module.kesaPresents || 0")
        if now != last:
            last, since = now, time.time()
        time.sleep(0.05)


def presents(driver):
    return driver.execute_script("return Module.kesaPresents")


def click(driver, x, y):
    before = presents(driver)
    driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})
    for kind in ["mousePressed", "mouseReleased"]:
        driver.execute_cdp_cmd("Input.dispatchMouseEvent",
                               {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})
    settle(driver, after=before)


def tap(driver, x, y):
    """A finger's tap: the page must take it as one left click, not also as emulated mouse events."""
    before = presents(driver)
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
    settle(driver, after=before)


KEYS = {"Return": ("Enter", "Enter", 13), "Escape": ("Escape", "Escape", 27), "Alt": ("AltLeft", "Alt", 18),
        "h": ("KeyH", "h", 72)}


def key(driver, *names, changes=True):
    """Keys pressed in order and released in reverse, as a chord: key(driver, "Alt", "h")."""
    before = presents(driver) if changes else None
    alt = 1 if "Alt" in names else 0
    for kind, order in [("rawKeyDown", names), ("keyUp", reversed(names))]:
        for name in order:
            code, key_name, vk = KEYS[name]
            driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "code": code, "key": key_name,
                                                              "windowsVirtualKeyCode": vk, "modifiers": alt})
    settle(driver, after=before)


def selector(driver, k, n):
    for _ in range(n):
        click(driver, 80 + 51 * (k - 1) + 24, 265)


def canvas(driver):
    data = driver.execute_script("return document.getElementById('canvas').toDataURL('image/png')")
    return Image.open(io.BytesIO(base64.b64decode(data.split(",", 1)[1]))).convert("RGB")


failures = []


def expect_screen(driver, step, actual=None):
    """The canvas against the desktop's golden screen: its pens through its palette."""
    actual = actual or canvas(driver)
    golden = Image.open(os.path.join(GOLDEN, f"play-{step}.png"))
    assert golden.mode == "P", "golden screens are paletted"
    expected = golden.convert("RGB")
    if actual.size != expected.size or actual.tobytes() != expected.tobytes():
        differ = sum(a != b for a, b in zip(actual.getdata(), expected.getdata())) if actual.size == expected.size else -1
        actual.save(f"play-{step}-browser.png")
        failures.append(f"screen {step}: {differ} pixels differ; saved as play-{step}-browser.png")


def expect(condition, message):
    if not condition:
        failures.append(message)


def main():
    with served(sys.argv[1]) as url, chromium() as driver:
        driver.get(url)
        wait_for(driver, "Module.kesaPresents > 0")
        settle(driver)
        # The game in progress play-game.sh starts from, put into the browser's storage.
        driver.execute_script("""
            const dati = arguments[1];
            const values = {stato: '0', Pegline_Bag: '012312', Pegline_Code: '0215',
                            col1: '0', col2: '0', col3: '0', col4: '0'};
            FS.mkdirTree(dati);
            for (const k in values) FS.writeFile(dati + k, values[k] + '\\n');
            FS.syncfs(false, () => { window.kesaSeeded = true; });""", None, DATI)
        wait_for(driver, "window.kesaSeeded")
        driver.refresh()
        wait_for(driver, "Module.kesaPresents > 0")
        settle(driver)
        expect_screen(driver, "001")               # the saved game restored
        selector(driver, 1, 3)
        tap(driver, 80 + 51 + 24, 265)            # selector 2, once
        expect_screen(driver, "002")
        click(driver, 128, 328)                    # GO
        expect_screen(driver, "003")
        before = canvas(driver)
        driver.refresh()                           # the proposal was saved in the browser
        wait_for(driver, "Module.kesaPresents > 0")
        settle(driver)
        after = canvas(driver)
        for image in (before, after):              # a fresh start gives GO no focus rectangle
            image.paste((0, 0, 0), GO_FOCUS)
        if after.tobytes() != before.tobytes():
            before.save("reload-before.png")
            after.save("reload-after.png")
            failures.append("a reload does not show the same game: reload-before.png, reload-after.png")
        for k, n in zip([1, 2, 3, 4], [0, 2, 1, 5]):
            selector(driver, k, n)
        click(driver, 128, 328)
        expect_screen(driver, "004")               # the win message
        key(driver, "Return")
        expect_screen(driver, "005")
        click(driver, 128, 328)
        expect_screen(driver, "006")               # a new game
        click(driver, 514, 52)
        expect_screen(driver, "007")               # the about window
        key(driver, "Escape")
        click(driver, 235, 328)
        expect_screen(driver, "008")               # the give-up question
        key(driver, "Return")                      # given up: the hidden code shown
        givenUp = canvas(driver)
        stato = driver.execute_script("return FS.readFile(arguments[0], {encoding: 'utf8'})", DATI + "stato")
        expect(stato == "1\n", f"a game given up is stored as over: stato {stato!r}")
        # The maker's home page (Alt+H) opens in the browser, never through a shell.
        driver.execute_script("window.open = (address) => { window.kesaOpened = address; return null; }")
        key(driver, "Alt", "h", changes=False)
        expect(driver.execute_script("return window.kesaOpened") == "http://www.kesa.example",
               "Alt+H does not open the maker's page")
        click(driver, 624, 52)                     # exit, and yes to the quit question
        key(driver, "Return", changes=False)
        ended = wait_for(driver, "Module.kesaEnded")
        expect(ended == "0", f"the game ends with status 0, not {ended}")
        expect(driver.execute_script("return getComputedStyle(document.getElementById('ended')).display") == "flex",
               "the page says the game has ended")
        driver.find_element("id", "again").click()  # start again: the game given up, as it was
        wait_for(driver, "Module.kesaPresents > 0")
        settle(driver)
        expect(canvas(driver).tobytes() == givenUp.tobytes(), "starting again does not show the game given up")
        errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
        expect(not errors, f"console errors: {errors}")
    for failure in failures:
        print("FAIL:", failure)
    print("web e2e:", "failed" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
