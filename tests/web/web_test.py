#!/usr/bin/python3
"""The web page in headless Chromium (WebGL through SwiftShader), served as a
folder and opened from disk as one file: no error in the console, the first
frame within 3 s, the still parts of the canvas as the Linux program draws
them (English and German), P, F12, F1, Tab and Space, the buttons, the
animation's clock against the wall clock across saves; the picture back
after the graphics are lost; the page's layout on screens and phones; the
page in frames (no full screen, ?embed=1, a sandbox without downloads);
keys of other layouts, a press released outside the canvas, offline after a
first visit, and a browser without WebGL.
    web_test.py SITE-FOLDER SINGLE-FILE LINUX-PROGRAM DATA-FOLDER"""
import ctypes, functools, http.server, io, os, shutil, signal, subprocess, sys, tempfile, threading, time
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


def linux_shots(language, size):
    """Four screenshots of the Linux program drawing at size, half a second apart, from 2.5 s on."""
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
        subprocess.run(["xdotool", "windowsize", window, str(size[0]), str(size[1])], env=env, check=True)
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
if (!window.firstFrameClock) {
window.firstFrameClock = true;
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
}
"""


def browser(*extra):
    """Headless Chromium drawing WebGL with SwiftShader."""
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new", "--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader",
                 "--enable-unsafe-swiftshader", "--force-color-profile=srgb", "--force-device-scale-factor=1",
                 "--window-size=800,800", "--lang=en-US") + extra:
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(15)
    return driver


class Page:
    def __init__(self, url, downloads, driver=None, framed=False):
        self.driver = driver or browser()
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME_CLOCK})
        # A browser that has already drawn with WebGL, as a learner's has: a
        # freshly launched one starts its renderer and SwiftShader for the
        # first page, a second or more here, which no page can spare it.
        self.driver.get("data:text/html,<canvas></canvas><script>document.querySelector('canvas')"
                        ".getContext('webgl')</script>")
        started = time.monotonic()
        self.driver.get(url)
        if framed:
            self.driver.switch_to.frame(self.driver.find_element(By.TAG_NAME, "iframe"))
        self.first_frame = self.first_seen = None
        if self.wait_drawn():
            self.first_seen = time.monotonic() - started
            drawn = self.driver.execute_script("return window.firstFrameDrawn")
            self.first_frame = drawn / 1000 if drawn is not None else None

    def wait_drawn(self, seconds=10):
        """Until the buttons are there and the canvas shows the sky's blue."""
        started = time.monotonic()
        while time.monotonic() - started < seconds:
            self.canvas = self.driver.find_element(By.ID, "canvas")
            if self.js("return !document.getElementById('controls').hidden") and \
                    self.shot().getextrema()[2][1] > 100:
                return True
            time.sleep(0.05)
        return False

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

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
        return self.js("return Module._corvaneAnimationSeconds()")

    def mouse(self, kind, x, y, buttons=1):
        """A pointer event of the window system's, at page pixels."""
        self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
            "type": kind, "x": x, "y": y, "button": "left" if kind != "mouseMoved" or buttons else "none",
            "buttons": buttons, "clickCount": 1})
        time.sleep(0.1)

    def on_canvas(self, x, y):
        """Page pixels of a point of the 640 by 480 design."""
        r = self.js("return document.getElementById('canvas').getBoundingClientRect().toJSON()")
        return r["left"] + x * r["width"] / 640, r["top"] + y * r["height"] / 480


def still_for(page, seconds=1.0):
    a = page.shot()
    time.sleep(seconds)
    return ImageChops.difference(a, page.shot()).getbbox() is None


def within(a, b, levels=8):
    """The share of the pixels where two pictures are within levels in every channel."""
    pixels = list(ImageChops.difference(a, b).getdata())
    return sum(max(p) <= levels for p in pixels) / len(pixels)


def removed_all(folder):
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))


def described(page, form, language):
    """The canvas an image described by every feature's name and sentence in
    the page's language; the tour's steps and P said in a polite live region."""
    texts = page.js("return Module.corvaneTexts")
    features = [texts[k] for k in texts if k.startswith(("feature-", "sentence-"))]
    tree = page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    said = " ".join(str(n.get(k, {}).get("value", "")) for n in tree for k in ("name", "description"))
    image = [n for n in tree if n.get("role", {}).get("value") == "image" and
             texts["description"] in n.get("description", {}).get("value", "")]
    check(f"{form}, {language}: the canvas is an image described by every feature's name and sentence",
          len(features) == 32 and all(f in said for f in features) and len(image) == 1)
    page.canvas.click()
    live = "const s = document.getElementById('said'); return s.getAttribute('aria-live') == 'polite' && s.textContent"
    page.keys(Keys.ARROW_RIGHT)
    step = page.js(live)
    page.keys("p")
    check(f"{form}, {language}: the tour's steps and P are said in a polite live region",
          step == texts["feature-0"] + ": " + texts["sentence-0"] and page.js(live) == texts["paused"])
    page.keys("p", Keys.ESCAPE)
    return texts


def reached_by_tab(page, form):
    page.js("document.activeElement.blur()")
    reached = set()
    for _ in range(30):
        page.keys(Keys.TAB)
        reached.add(page.js("return document.activeElement.id"))
    page.js("document.getElementById('describe').focus()")
    page.keys(Keys.ENTER)
    into = page.js("const at = document.activeElement.id; document.getElementById('describe').click(); return at")
    missing = {"canvas", "licences", "labels", "pause", "save", "help", "previous", "next", "describe"} - reached
    check(f"{form}: every control, the canvas and the description are reached by Tab alone",
          not missing and into == "description", f"{missing}, {into}")
    page.canvas.click()


def layouts(page, form):
    """On screens and phones the canvas is the largest 4:3 picture that leaves
    the buttons on screen, at the screen's own pixels, with nothing to scroll."""
    for name, w, h, ratio in (("1366x768", 1366, 768, 1), ("1920x1080", 1920, 1080, 1),
                              ("1920x1080 at twice the pixels", 1920, 1080, 2), ("a phone held upright", 390, 844, 3),
                              ("a phone held sideways", 844, 390, 3)):
        page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": w, "height": h, "deviceScaleFactor": ratio, "mobile": ratio == 3})
        time.sleep(1.5)
        canvas, box = page.js("const c = document.getElementById('canvas');"
                              "return [[c.width, c.height], c.getBoundingClientRect().toJSON()]")
        buttons = page.js("return [...document.querySelectorAll('#controls button')].filter((b) => b.offsetParent)"
                          ".map((b) => b.getBoundingClientRect().toJSON())")
        scroll = page.js("return [document.scrollingElement.scrollWidth, document.scrollingElement.scrollHeight]")
        meets = lambda a, b: a["left"] < b["right"] and b["left"] < a["right"] and a["top"] < b["bottom"] and \
            b["top"] < a["bottom"]
        inside = lambda b: b["left"] >= 0 and b["top"] >= 0 and b["right"] <= w and b["bottom"] <= h
        # Grown by 6% about its middle, it would leave the window or cover a button.
        cx, cy, gw, gh = box["x"] + box["width"] / 2, box["y"] + box["height"] / 2, box["width"] * .53, box["height"] * .53
        grown = {"left": cx - gw, "right": cx + gw, "top": cy - gh, "bottom": cy + gh}
        check(f"{form}: on {name} the canvas is the largest 4:3 picture beside the buttons, at the screen's pixels",
              abs(box["width"] * 3 - box["height"] * 4) <= 4 and canvas == [round(box["width"] * ratio),
              round(box["height"] * ratio)] and (not inside(grown) or any(meets(grown, b) for b in buttons)) and
              len(buttons) >= 8 and all(inside(b) and not meets(b, box) for b in buttons) and scroll == [w, h],
              f"{box['width']:.0f}x{box['height']:.0f} CSS, {canvas} pixels")
    page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    time.sleep(1)


def frames(folder, base, page_base, name, form, downloads, sandbox=True):
    """The page in a course's frame (on another site where page_base differs
    from base): without full screen, as ?embed=1, and in a sandbox that
    forbids downloads, on the page's own site and another's (served only: a
    file cannot tell its frame's sandbox)."""
    src = f"{page_base}/{name}"
    refused = "" if base != page_base else ' allow="fullscreen \'none\'"'   # files are all of one site
    sandboxed = ' sandbox="allow-scripts allow-same-origin"'
    for kind, attributes in (("plain", f'src="{src}"{refused}'), ("embed", f'src="{src}?embed=1" allow="fullscreen"'),
                             ("sandbox", f'src="{name}"{sandboxed}'), ("other-sandbox", f'src="{src}"{sandboxed}')):
        with open(os.path.join(folder, f"frame-{kind}-{name}"), "w") as out:
            out.write(f"<!doctype html><title>A course</title><link rel='icon' href='data:,'><body style='margin:0'>"
                      f"<iframe {attributes} style='border:0;width:780px;height:600px'></iframe></body>")
    driver = browser()
    try:
        page = Page(f"{base}/frame-plain-{name}", downloads, driver, framed=True)
        hidden = page.js("return document.getElementById('fullscreen').hidden")
        page.canvas.click()
        page.keys(Keys.F11, Keys.ESCAPE, "p")
        check(f"{form}: in a frame without full screen, its button is hidden, and F11 and Escape change nothing",
              hidden and not page.pressed("fullscreen") and page.pressed("pause") and still_for(page))
        page = Page(f"{base}/frame-embed-{name}", downloads, driver, framed=True)
        bare = page.js("return document.getElementById('header').hidden && !document.getElementById('about').hidden")
        page.canvas.click()
        page.keys("p")
        paused = page.pressed("pause") and still_for(page)
        page.click("labels")
        page.driver.find_element(By.ID, "about").click()
        check(f"{form}: ?embed=1 in a frame shows the picture and its buttons, works by keys and buttons, "
              "and keeps the licences behind its i", bare and paused and page.pressed("labels") and
              page.js("return document.getElementById('licences-dialog').open"))
        for kind, base_of, said in (("sandbox", page_base, "The picture could not be saved"),
                                    ("other-sandbox", base, "Handed"))[:2 if sandbox else 0]:
            page = Page(f"{base_of}/frame-{kind}-{name}", downloads, driver, framed=True)
            page.click("save")
            time.sleep(1.5)
            notice = page.js("return Module.corvaneNotice")
            check(f"{form}: in a frame whose sandbox forbids downloads ({kind}), Save claims no save",
                  not os.listdir(downloads) and notice.startswith(said), notice)
        driver.switch_to.default_content()
        logs = [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
        check(f"{form}: no error in the console in frames", not logs, "; ".join(logs)[:300])
    finally:
        driver.quit()


def without_webgl(url, form):
    driver = browser("--disable-webgl")
    try:
        driver.get(url)
        time.sleep(3)
        check(f"{form}: without WebGL, the message alone is shown", driver.execute_script(
            "const shown = (id) => document.getElementById(id).getClientRects().length > 0;"
            "return shown('message') && !shown('canvas') && !shown('controls') && !shown('loading')"))
    finally:
        driver.quit()


def languages(url, form, reference, downloads):
    """Japanese, Chinese as Taiwan writes it and Greek drawn as on Linux, each
    language's face fetched only where it is shown; a browser that asks for
    zh-HK gets Taiwan's Chinese."""
    page = Page(url, downloads)
    try:
        for language, form_of_face in (("ja", "JP"), ("zh_TW", "TC"), ("el", None)):
            page.driver.get(f"{url}?lang={language}")
            drawn = page.wait_drawn()
            time.sleep(2.5)
            web = page.shots()
            # The panel's title and check box, whose texts its face draws.
            panel = (0, 0, web[0].size[0] * 300 // 640, web[0].size[1] * 80 // 480)
            share, still = still_share([s.crop(panel) for s in web],
                                       [s.crop(panel) for s in reference(language, web[0].size)])
            fetched = page.js("return performance.getEntriesByType('resource').map((e) => e.name)"
                              ".filter((n) => n.includes('/fonts/'))")
            wanted = 2 if form_of_face and url.startswith("http") else 0
            check(f"{form}: ?lang={language} draws its texts as on Linux, fetching {wanted} faces",
                  drawn and share >= 0.97 and len(fetched) == wanted and
                  all(form_of_face in name for name in fetched),
                  f"{share:.2%} of {still} still pixels within 8 levels; fetched {fetched}")
        page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "Object.defineProperty(navigator, 'languages', {get: () => ['zh-HK', 'en-US']});"})
        page.driver.get(url)
        page.wait_drawn()
        check(f"{form}: a browser asking for zh-HK gets Taiwan's Chinese",
              page.js("return document.documentElement.lang") == "zh-TW")
    finally:
        page.driver.quit()


def test(url, form, reference, downloads, stop_server=None):
    page = Page(url, downloads)
    try:
        first, seen = page.first_frame, page.first_seen
        check(f"{form}: the first frame within 3 s", first is not None and first < 3,
              f"drawn at {first} s, seen by the test at {seen} s")
        share, still = still_share(page.shots(), reference("en", page.shot().size))
        check(f"{form}: still parts as on Linux", share >= 0.99, f"{share:.2%} of {still} still pixels within 8 levels")
        english = described(page, form, "English")
        reached_by_tab(page, form)
        layouts(page, form)
        page.driver.get(url + ("&" if "?" in url else "?") + "lang=de")
        page.canvas = page.driver.find_element(By.ID, "canvas")
        time.sleep(2.5)
        share, still = still_share(page.shots(), reference("de", page.shot().size))
        check(f"{form}: still parts as on Linux in German", share >= 0.99 and page.driver.execute_script(
            "return document.documentElement.lang") == "de", f"{share:.2%} of {still} still pixels within 8 levels")
        german = described(page, form, "German")
        check(f"{form}: the features described in German",
              all(german[k] != english[k] for k in english if k.startswith(("feature-", "sentence-"))))
        page.canvas.click()
        # The animation's clock against the wall's, over 30 s with five
        # pictures saved: no save is added to the animation's time.
        wall, clock = time.monotonic(), page.clock()
        for _ in range(5):
            time.sleep(5)
            page.keys(Keys.F12)
        time.sleep(5)
        ratio = (page.clock() - clock) / (time.monotonic() - wall)
        check(f"{form}: the animation's clock within 2% of the wall clock across five saves", abs(ratio - 1) <= 0.02,
              f"{ratio:.4f}")
        removed_all(downloads)
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
            same = picture is not None and picture.size == before.size and \
                ImageChops.difference(picture, before).getbbox() is None
            check(f"{form}: {how} downloads a PNG equal to the canvas", same, ", ".join(saved))
            removed_all(downloads)
        # The graphics taken away and given back, paused: the same picture, a message meanwhile.
        time.sleep(5)   # the notice gone
        before = page.shot()
        message = "return !document.getElementById('message').hidden"
        told = page.js("window.lose = document.getElementById('canvas').getContext('webgl')"
                       ".getExtension('WEBGL_lose_context'); window.lose.loseContext();") or time.sleep(1) or \
            page.js(message)
        page.js("window.lose.restoreContext()")
        time.sleep(1)
        back = within(before, page.shot())
        check(f"{form}: the picture comes back after the graphics were lost, with a message meanwhile",
              told and back >= 0.99 and not page.js(message), f"{back:.2%} of the pixels within 8 levels")
        page.keys("p")
        # "?" of a Brazilian keyboard: Shift and the key whose code is IntlRo.
        for kind, text in (("keyDown", "?"), ("keyUp", "")):
            page.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": "?", "code": "IntlRo",
                                                                   "text": text, "modifiers": 8})
        shown = time.sleep(0.3) or page.pressed("help")
        page.keys(Keys.F1)
        check(f"{form}: \"?\" on a Brazilian keyboard (IntlRo) shows the help", shown and not page.pressed("help"))
        # A press on the check box released outside the canvas leaves it unarmed: a later release over it does nothing.
        x, y = page.on_canvas(18, 56)
        for kind, at, held in (("mousePressed", (x, y), 1), ("mouseMoved", (2, 2), 1), ("mouseReleased", (2, 2), 0),
                               ("mouseMoved", (x, y), 0), ("mouseReleased", (x, y), 0)):
            page.mouse(kind, *at, held)
        check(f"{form}: a press on the check box released outside the canvas leaves it unarmed",
              not page.pressed("labels"))
        page.canvas.click()
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
        # A request the browser refuses leaves the program, the button and Escape as they were.
        page.js("HTMLCanvasElement.prototype.requestFullscreen = () => Promise.reject(new TypeError('refused'));")
        size = "return [canvas.width, canvas.height]"
        pixels, unchanged = page.js(size), True
        for act in (lambda: page.keys(Keys.F11), lambda: page.click("fullscreen"), lambda: page.keys(Keys.ESCAPE)):
            unchanged &= act() or time.sleep(0.3) or (not page.pressed("fullscreen") and page.js(size) == pixels)
        check(f"{form}: a refused full screen changes nothing, nor does Escape after it", unchanged)
        # A system that asks for less motion: the page starts paused, and says so; P starts it.
        page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                    {"features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})
        page.driver.refresh()
        page.wait_drawn()
        still = time.sleep(1) or (page.pressed("pause") and still_for(page))
        told = page.js("return document.getElementById('said').textContent == Module.corvaneTexts.reduced")
        page.canvas.click()
        page.keys("p")
        check(f"{form}: with less motion asked for, the page starts paused and says so; P starts it",
              still and told and not still_for(page))
        page.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})
        logs = [entry for entry in page.driver.get_log("browser") if entry["level"] == "SEVERE"]
        check(f"{form}: no error in the console", not logs, "; ".join(entry["message"] for entry in logs)[:300])
        if stop_server is not None:
            # With no network after the first visit, the page opens all the same.
            page.driver.get(url)
            ready = page.driver.execute_async_script("const done = arguments[arguments.length - 1];"
                                                     "navigator.serviceWorker.ready.then(() => done(true));")
            stop_server()
            page.driver.refresh()
            check(f"{form}: with no network after a first visit, the page draws", ready and page.wait_drawn())
    finally:
        page.driver.quit()


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def main():
    shots = {}

    def reference(language, size):
        if (language, size) not in shots:
            shots[(language, size)] = linux_shots(language, size)
        return shots[(language, size)]
    # The served folder and the single file side by side, with the frames
    # of a course around them.
    folder = tempfile.mkdtemp()
    shutil.copytree(SITE, folder, dirs_exist_ok=True)
    shutil.copy(SINGLE, folder)
    single = os.path.basename(SINGLE)
    downloads = tempfile.mkdtemp()
    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = f"http://127.0.0.1:{server.server_address[1]}"
    without_webgl(f"{base}/index.html", "served")
    without_webgl("file://" + os.path.join(folder, single), "one file")
    # The course's page on another site than the page (localhost and 127.0.0.1).
    frames(folder, base.replace("127.0.0.1", "localhost"), base, "index.html", "served", downloads)
    # A file cannot tell a frame's sandbox: the sandbox is tried served only.
    frames(folder, "file://" + folder, "file://" + folder, single, "one file", downloads, sandbox=False)
    languages("file://" + os.path.join(folder, single), "one file", reference, downloads)
    languages(f"{base}/index.html", "served", reference, downloads)
    test("file://" + os.path.join(folder, single), "one file", reference, downloads)
    test(f"{base}/index.html", "served", reference, downloads,
         stop_server=lambda: (server.shutdown(), server.server_close()))
    print(f"{len(failures)} of the checks failed" if failures else "every check passed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
