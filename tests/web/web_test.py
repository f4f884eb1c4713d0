#!/usr/bin/python3
"""The web page in headless Chromium (WebGL through SwiftShader), served as a
folder and opened from disk as one file: no error in the console, the first
frame within 3 s, the still parts of the canvas as the Linux program draws
them (English and German), P, F12, F1, Tab and Space, the buttons, and the
animation's clock against the wall clock.
    web_test.py SITE-FOLDER SINGLE-FILE LINUX-PROGRAM DATA-FOLDER"""
import ctypes, functools, http.server, io, os, signal, subprocess, sys, tempfile, threading, time
from PIL import Image, ImageChops, ImageFilter
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.chrome.service import Service

SITE, SINGLE, PROGRAM, DATA = map(os.path.abspath, (sys.argv + [""] * 4)[1:5])
failures = []


def check(what, ok, detail=""):
    print(("ok    " if ok else "FAIL  ") + what + (f" ({detail})" if detail else ""), flush=True)
    if not ok:
        failures.append(what)


def end_with_us():
    """In a child before it starts: it ends when this test does, however that ends."""
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)   # PR_SET_PDEATHSIG


def linux_shots(language):
    """Four screenshots of the Linux program, half a second apart, from 2.5 s on."""
    named = tempfile.TemporaryFile()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(named.fileno()), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=[named.fileno()], preexec_fn=end_with_us,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    try:
        for _ in range(100):
            named.seek(0)
            number = named.read().strip()
            if number:
                break
            time.sleep(0.1)
        env = dict(os.environ, DISPLAY=":" + number.decode(), SDL_VIDEODRIVER="x11")
        program = subprocess.Popen([PROGRAM, "--lang=" + language], cwd=DATA, env=env)
        window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Corvane Zone$"], env=env,
                                capture_output=True, text=True, timeout=20).stdout.split()[0]
        time.sleep(2.5)
        shots = []
        for _ in range(4):
            png = subprocess.run(["import", "-window", window, "-depth", "8", "png:-"], env=env,
                                 capture_output=True, check=True).stdout
            shots.append(Image.open(io.BytesIO(png)).convert("RGB"))
            time.sleep(0.5)
        return shots
    finally:
        if program is not None:
            program.kill()
        xvfb.kill()


def moving(shots):
    """The pixels that change among the shots, and those next to them."""
    mask = Image.new("L", shots[0].size, 0)
    for other in shots[1:]:
        mask = ImageChops.lighter(mask, ImageChops.difference(shots[0], other).convert("L"))
    return mask.point(lambda v: 255 if v else 0).filter(ImageFilter.MaxFilter(5))


def still_share(web, linux):
    """The share of the still pixels where web and Linux are within 8 levels."""
    mask = ImageChops.lighter(moving(web), moving(linux))
    difference = ImageChops.difference(web[0], linux[0])
    still = within = 0
    for d, m in zip(difference.getdata(), mask.getdata()):
        if not m:
            still += 1
            within += max(d) <= 8
    return within / max(still, 1), still


# When the page's first frame is drawn, on the page's own clock (from the
# start of its loading): the end of the first animation frame that drew. A
# screenshot, the test's own way of seeing it, can take longer than the page.
FIRST_FRAME_CLOCK = """
let drawn = false;
for (const name of ['drawArrays', 'drawElements']) {
  const call = WebGLRenderingContext.prototype[name];
  WebGLRenderingContext.prototype[name] = function (...args) { drawn = true; return call.apply(this, args); };
}
const request = window.requestAnimationFrame;
window.requestAnimationFrame = (callback) => request.call(window, (time) => {
  callback(time);
  if (drawn && window.firstFrameDrawn === undefined) window.firstFrameDrawn = performance.now();
});
"""


class Page:
    def __init__(self, url, downloads):
        options = webdriver.ChromeOptions()
        for flag in ("--headless=new", "--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader",
                     "--enable-unsafe-swiftshader", "--force-color-profile=srgb", "--force-device-scale-factor=1",
                     "--window-size=800,800", "--lang=en-US"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME_CLOCK})
        # A browser that has already drawn with WebGL, as a learner's has: a
        # freshly launched one starts its renderer and SwiftShader for the
        # first page, a second or more here, which no page can spare it.
        self.driver.get("data:text/html,<canvas></canvas><script>document.querySelector('canvas')"
                        ".getContext('webgl')</script>")
        started = time.monotonic()
        self.driver.get(url)
        self.canvas = self.driver.find_element(By.ID, "canvas")
        self.first_frame = self.first_seen = None
        while time.monotonic() - started < 10:
            if self.driver.execute_script("return !document.getElementById('controls').hidden") and \
                    self.shot().getextrema()[2][1] > 100:   # the sky's blue is there
                self.first_seen = time.monotonic() - started
                drawn = self.driver.execute_script("return window.firstFrameDrawn")
                self.first_frame = drawn / 1000 if drawn is not None else None
                break
            time.sleep(0.05)

    def shot(self):
        return Image.open(io.BytesIO(self.canvas.screenshot_as_png)).convert("RGB")

    def shots(self, count=4, apart=0.5):
        out = []
        for _ in range(count):
            out.append(self.shot())
            time.sleep(apart)
        return out

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()
        time.sleep(0.3)

    def pressed(self, button):
        return self.driver.find_element(By.ID, button).get_attribute("aria-pressed") == "true"

    def click(self, button):
        self.driver.find_element(By.ID, button).click()
        time.sleep(0.3)
        self.canvas.click()   # the keys again

    def clock(self):
        return self.driver.execute_script("return Module._corvaneAnimationSeconds()")


def still_for(page, seconds=1.0):
    a = page.shot()
    time.sleep(seconds)
    return ImageChops.difference(a, page.shot()).getbbox() is None


def test(url, form, reference):
    downloads = tempfile.mkdtemp()
    page = Page(url, downloads)
    try:
        first, seen = page.first_frame, page.first_seen
        check(f"{form}: the first frame within 3 s", first is not None and first < 3,
              f"drawn at {first} s, seen by the test at {seen} s")
        share, still = still_share(page.shots(), reference["en"])
        check(f"{form}: still parts as on Linux", share >= 0.99, f"{share:.2%} of {still} still pixels within 8 levels")
        page.driver.get(url + ("&" if "?" in url else "?") + "lang=de")
        page.canvas = page.driver.find_element(By.ID, "canvas")
        time.sleep(2.5)
        share, still = still_share(page.shots(), reference["de"])
        check(f"{form}: still parts as on Linux in German", share >= 0.99 and page.driver.execute_script(
            "return document.documentElement.lang") == "de", f"{share:.2%} of {still} still pixels within 8 levels")
        page.canvas.click()
        # The animation's clock against the wall's, over 30 s.
        wall, clock = time.monotonic(), page.clock()
        time.sleep(30)
        ratio = (page.clock() - clock) / (time.monotonic() - wall)
        check(f"{form}: the animation's clock within 2% of the wall clock", abs(ratio - 1) <= 0.02, f"{ratio:.4f}")
        # P, by key and by button.
        for how, act in (("P", lambda: page.keys("p")), ("the Pause button", lambda: page.click("pause"))):
            act()
            paused = page.pressed("pause") and still_for(page)
            act()
            check(f"{form}: {how} stops the motion and resumes it", paused and not still_for(page))
        # F12 while paused: the picture is the canvas as it stands.
        page.keys("p")
        for how, act in (("F12", lambda: page.keys(Keys.F12)), ("the Save button", lambda: page.click("save"))):
            before = page.shot()
            act()
            time.sleep(1)
            saved = sorted(name for name in os.listdir(downloads) if name.endswith(".png"))
            picture = Image.open(os.path.join(downloads, saved[-1])).convert("RGB") if saved else None
            same = picture is not None and picture.size == (640, 480) and \
                ImageChops.difference(picture, before).getbbox() is None
            check(f"{form}: {how} downloads a 640x480 PNG equal to the canvas", same, ", ".join(saved))
            for name in saved:
                os.remove(os.path.join(downloads, name))
        page.keys("p")
        # F1 and the Help button; Tab and Space and the Labels button.
        for how, act in (("F1", lambda: page.keys(Keys.F1)), ("the Help button", lambda: page.click("help")),
                         ("Tab and Space", lambda: page.keys(Keys.TAB, Keys.SPACE)),
                         ("the Labels button", lambda: page.click("labels"))):
            button = "help" if "F1" in how or "Help" in how else "labels"
            before = page.shot()
            act()
            changed = ImageChops.difference(before, page.shot()).getbbox()
            on = page.pressed(button)
            act() if "Tab" not in how else page.keys(Keys.SPACE)
            shown = "help" if button == "help" else "labels"
            check(f"{form}: {how} shows the {shown} and hides them", bool(on and changed and not page.pressed(button)))
        # Full screen by F11 and by the button, left by F11 and by Escape.
        full = "return document.fullscreenElement === document.getElementById('canvas')"
        for how, act in (("F11", lambda: page.keys(Keys.F11)), ("the Full screen button", lambda: page.click("fullscreen"))):
            act()
            time.sleep(0.5)
            on = page.pressed("fullscreen") and page.driver.execute_script(full)
            size = page.canvas.size
            page.keys(Keys.F11 if how == "F11" else Keys.ESCAPE)
            time.sleep(0.5)
            check(f"{form}: {how} gives the canvas the whole screen, and back",
                  on and not page.pressed("fullscreen") and not page.driver.execute_script(full), f"{size}")
        logs = [entry for entry in page.driver.get_log("browser") if entry["level"] == "SEVERE"]
        check(f"{form}: no error in the console", not logs, "; ".join(entry["message"] for entry in logs)[:300])
    finally:
        page.driver.quit()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def main():
    reference = {language: linux_shots(language) for language in ("en", "de")}
    handler = functools.partial(Quiet, directory=SITE)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    test(f"http://127.0.0.1:{server.server_address[1]}/index.html", "served", reference)
    test("file://" + os.path.abspath(SINGLE), "one file", reference)
    server.shutdown()
    print(f"{len(failures)} of the checks failed" if failures else "every check passed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
