#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Measures the web page (build/web/) in headless Chromium: its files and their gzip size,
navigation to the first and to the full first frame, a click to the frame that answers it,
and the main thread's work (Chrome's TaskDuration) while the page idles for 5 s.

Usage: bench/WebPage.py [build/web] [runs]. Reuses the end-to-end test's server and browser."""
import gzip, importlib.util, os, statistics, sys, time

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("play", os.path.join(HERE, "..", "tests", "web", "play-in-browser.py"))
play = importlib.util.module_from_spec(spec)
spec.loader.exec_module(play)

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "web")
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5

total = total_gz = 0
for name in sorted(os.listdir(folder)):
    data = open(os.path.join(folder, name), "rb").read()
    packed = len(gzip.compress(data, 9))
    total, total_gz = total + len(data), total_gz + packed
    print(f"{name:24} {len(data):>9} B  gzip -9 {packed:>8} B")
print(f"{'all':24} {total:>9} B  gzip -9 {total_gz:>8} B ({total_gz / 1048576:.2f} MiB)")


def metric(driver, name):
    metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    return next(m["value"] for m in metrics if m["name"] == name)


first, full, click, idle = [], [], [], []
with play.served(folder) as url:
    for run in range(runs):
        with play.chromium() as driver:   # a fresh profile each run: a first visit
            driver.execute_cdp_cmd("Performance.enable", {})
            driver.get(url)
            play.wait_for(driver, "Module.kesaPresents > 0")
            play.settle(driver, 1.0)
            first.append(driver.execute_script("return Module.kesaFirstPresent"))
            full.append(driver.execute_script("return Module.kesaLastPresent"))
            driver.execute_script("""window.kesaDown = 0;
                window.addEventListener('mousedown', () => { window.kesaDown = performance.now(); }, true);""")
            before = driver.execute_script("return Module.kesaPresents")
            play.click(driver, 80 + 24, 265)   # the first selector: one peg
            assert driver.execute_script("return Module.kesaPresents") > before, "the click showed nothing"
            click.append(driver.execute_script("return Module.kesaLastPresent - window.kesaDown"))
            play.settle(driver, 1.0)
            start = metric(driver, "TaskDuration")
            time.sleep(5)
            idle.append((metric(driver, "TaskDuration") - start) * 1000)


def line(what, values, target=""):
    print(f"{what:44} median {statistics.median(values):7.1f} ms  (min {min(values):.1f}, max {max(values):.1f}) {target}")


print(f"headless Chromium, {runs} runs, fresh profile each")
line("navigation to the first frame", first)
line("navigation to the full first frame", full, "target <= 1000 ms")
line("a click to its frame", click)
line("main-thread work (TaskDuration) per 5 s idle", idle, "target <= 50 ms")
