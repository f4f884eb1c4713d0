#!/usr/bin/python3
"""The page's animation frames per second under SwiftShader, for pages side
by side in one browser run (a build before a change and after it):
    bench/page_frame_rate.py [--window WxH] NAME=URL...
Each page is loaded, left to settle for 3 s, then its animation frames are
counted over 5 s; every page twice, in turn, and the better count kept."""
import argparse, sys, time
sys.path.insert(0, __file__.rsplit("/", 2)[0] + "/tests/web")
from web_test import browser

COUNT = """
const done = arguments[arguments.length - 1];
let frames = 0;
const tick = () => { frames += 1; requestAnimationFrame(tick); };
requestAnimationFrame(tick);
setTimeout(() => done([frames / 5, document.getElementById('canvas').width, document.getElementById('canvas').height]), 5000);
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--window", default="800x800")
    parser.add_argument("pages", nargs="+")
    args = parser.parse_args()
    width, height = map(int, args.window.split("x"))
    driver = browser()
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    best = {}
    try:
        for _ in range(2):
            for page in args.pages:
                name, url = page.split("=", 1)
                driver.get(url)
                time.sleep(3)
                rate, w, h = driver.execute_async_script(COUNT)
                if rate > best.get(name, (0,))[0]:
                    best[name] = (rate, w, h)
    finally:
        driver.quit()
    for name, (rate, w, h) in best.items():
        print(f"{name}: {rate:.1f} frames a second, canvas {w}x{h}")


if __name__ == "__main__":
    main()
