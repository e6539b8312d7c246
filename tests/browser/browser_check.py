#!/usr/bin/python3
"""Checks the HTML modes in real viewers.

    browser_check.py page ZEK2RTF SOURCE_DIR   the single page in headless Chromium
    browser_check.py chm ZEK2RTF SOURCE_DIR    the project through chmcmd and extract_chmLib
    browser_check.py timing ZEK2RTF TOPICS     load and link timings of a generated page

A machine without Chromium, chromedriver, Python selenium, chmcmd or
extract_chmLib skips (exit status 77) with a message naming what is
missing; with ZEK2RTF_REQUIRE_BROWSER=1 a missing tool fails instead.
ZEK2RTF_SCREENSHOT=<file> saves a screenshot of the example's first topic.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def missing(what):
    if os.environ.get("ZEK2RTF_REQUIRE_BROWSER") == "1":
        print(f"FAIL: {what} is required (ZEK2RTF_REQUIRE_BROWSER=1) but missing")
        sys.exit(1)
    print(f"SKIP: {what} is not installed")
    sys.exit(SKIP)


def check(condition, what):
    if not condition:
        print(f"FAIL: {what}")
        sys.exit(1)
    print(f"ok: {what}")


def convert(zek2rtf, folder, source, output, *options):
    result = subprocess.run([zek2rtf, *options, "/", source, output], cwd=folder,
                            capture_output=True)
    if result.returncode != 0:
        print(result.stderr.decode("cp932", "replace"))
        sys.exit(1)


def generated_source(topics):
    """A larger help: a browse sequence, popups, keywords, non-scrolling
    regions, Japanese text, hot spots between the topics, and every
    twentieth topic a longer text with an alias halfway down ("Point 7" in
    Topic 7), which the end of the topic five before names; the first topic
    is as long, longer than those it lies under."""
    lines = [".start", "'{\\fonttbl{\\f0\\fnil\\fcharset128 MS Gothic;}}", ".colortable",
             ".searchmode", ".browse seq", ".titlemode bold color 2"]
    for n in range(topics):
        lines += [f".topic Topic {n}", ".noscroll", ".title", ".endnoscroll",
                  f"\u65e5\u672c\u8a9e\u306e\u672c\u6587 {n}. Next is Topic {n + 1}; see Word {n % 50}."]
        for k in range(100 if n % 20 == 7 or n == 0 else 60):
            if k == 50 and n % 20 == 7:
                lines += [f".alias Point {n}", f"Point {n} stands here."]
            lines.append(f"Line {k} of Topic {n}, filler text to scroll.")
        if n % 20 == 2:
            lines.append(f"Further on: Point {n + 5}.")
    for n in range(50):
        lines += [f".popup Word {n}", f"Word {n} explained in a popup."]
    lines.append(".end")
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def start_browser(wait_for_load=True):
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError:
        missing("python3-selenium")
    for tool in ("/usr/bin/chromium", "/usr/bin/chromedriver"):
        if not os.path.exists(tool):
            missing(tool)
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    profile = tempfile.mkdtemp(prefix="zek2rtf-chromium-")
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 f"--user-data-dir={profile}", "--window-size=1000,700"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    if not wait_for_load:
        options.page_load_strategy = "none"

    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    return driver, profile


# The topic a reader sees: the section at the top of the topics' area. The
# first topic stays drawn under the one a jump shows, which covers it.
SHOWN_SECTION = (
    "(() => { const r = document.querySelector('main').getBoundingClientRect();"
    "  const e = document.elementFromPoint(r.left + 30, Math.max(r.top, 0) + 5);"
    "  return e && e.closest('main section'); })()")


def heading(driver):
    """The caption of the topic that is shown."""
    return driver.execute_script(
        f"const s = {SHOWN_SECTION}; return s && s.querySelector('h1').textContent;")


def visible_section(driver):
    return driver.execute_script(f"return {SHOWN_SECTION};")


def console_errors(driver):
    return [entry for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]


def check_page(zek2rtf, source_dir):
    driver, profile = start_browser()
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    work = tempfile.mkdtemp(prefix="zek2rtf-page-")
    try:
        shutil.copy(os.path.join(source_dir, "examples", "sample.zek"), work)
        convert(zek2rtf, work, "sample.zek", "sample.html")
        url = "file://" + os.path.join(work, "sample.html")
        driver.get(url)
        check(heading(driver) == "Contents", "the first topic is shown")
        shot = os.environ.get("ZEK2RTF_SCREENSHOT")
        if shot:
            driver.save_screenshot(shot)
        visible_section(driver).find_element(By.LINK_TEXT, "Setup").click()
        check(heading(driver) == "Setup", "a hot spot shows its topic")
        driver.get(url)
        button = visible_section(driver).find_element(By.CSS_SELECTOR, "button[popovertarget]")
        button.click()
        popup = driver.find_element(By.CSS_SELECTOR, "div.popup")
        check(popup.is_displayed() and "popup explains" in popup.text,
              "a popup opens over the page")
        check(driver.current_url == url, "the popup opened without navigation")
        driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ESCAPE)
        check(not popup.is_displayed(), "Escape closes the popup")
        button.click()
        driver.find_element(By.CSS_SELECTOR, "nav.side h2").click()
        check(not popup.is_displayed(), "a click outside closes the popup")
        driver.find_element(By.CSS_SELECTOR, "#\\~index").find_element(By.LINK_TEXT,
                                                                       "Printing").click()
        check(heading(driver) == "Printing", "a keyword of the index shows its topic")
        section = visible_section(driver)
        check("\u65e5\u672c\u8a9e" in section.text, "Japanese text is in the page")
        fonts = driver.execute_script(
            "return document.fonts.check('16px IPAGothic', '\u65e5\u672c\u8a9e') &&"
            " document.fonts.check('16px IPAPGothic', '\u65e5\u672c\u8a9e');")
        width = driver.execute_script(
            "const c = document.createElement('canvas').getContext('2d');"
            "c.font = '16px IPAGothic'; const a = c.measureText('\u65e5\u672c').width;"
            "c.font = '16px monospace'; const b = c.measureText('ii').width; return [a, b];")
        check(fonts and width[0] >= 30, "a Japanese font has the glyphs")
        driver.find_element(By.CSS_SELECTOR, "#\\~contents").find_element(By.LINK_TEXT,
                                                                          "Setup").click()
        visible_section(driver).find_element(By.CSS_SELECTOR, "a[rel=next]").click()
        check(heading(driver) == "Printing", "next in the browse sequence")
        visible_section(driver).find_element(By.CSS_SELECTOR, "a[rel=prev]").click()
        check(heading(driver) == "Setup", "previous in the browse sequence")
        check(not console_errors(driver), "no errors in the console")

        with open(os.path.join(work, "big.zek"), "wb") as out:
            out.write(generated_source(200))
        convert(zek2rtf, work, "big.zek", "big.html")
        driver.get("file://" + os.path.join(work, "big.html") + "#xx7")
        check(heading(driver) == "Topic 7", "a generated help opens at an anchor")
        region = visible_section(driver).find_element(By.CSS_SELECTOR, ".nsr")
        before = region.rect["y"]
        driver.execute_script("window.scrollBy(0, 600)")
        time.sleep(0.2)
        after = driver.execute_script("return arguments[0].getBoundingClientRect().top", region)
        check(driver.execute_script("return window.scrollY") > 300 and abs(after) < 2,
              f"the non-scrolling region stays in view (top {before} -> {after})")
        visible_section(driver).find_element(By.CSS_SELECTOR, "a[rel=next]").click()
        check(heading(driver) == "Topic 8", "next in the generated browse sequence")
        check(driver.execute_script("return window.scrollY") < 2, "a jump shows the topic's top")
        driver.execute_script("window.scrollTo(0, document.documentElement.scrollHeight)")
        bottom = driver.execute_script(
            "const r = document.querySelector('main').getBoundingClientRect();"
            "const e = document.elementFromPoint(r.left + 30, window.innerHeight - 5);"
            "return e && e.closest('main section').querySelector('h1').textContent;")
        check(bottom == "Topic 8", f"the shown topic covers the longer first one ({bottom})")
        driver.execute_script("window.scrollTo(0, 0)")
        visible_section(driver).find_element(By.CSS_SELECTOR, "button[popovertarget]").click()
        check(driver.find_element(By.CSS_SELECTOR, "div.popup:popover-open").is_displayed(),
              "a popup of the generated help opens")
        driver.find_element(By.CSS_SELECTOR, "#\\~contents").find_element(By.LINK_TEXT,
                                                                          "Topic 122").click()
        visible_section(driver).find_element(By.LINK_TEXT, "Point 127").click()
        point = driver.execute_script(
            f"const region = {SHOWN_SECTION}.querySelector('.nsr');"
            "const p = [...region.parentNode.querySelectorAll('p')]"
            "  .find(p => p.textContent == 'Point 127 stands here.');"
            "return [p.getBoundingClientRect().top, region.getBoundingClientRect().bottom];")
        check(heading(driver) == "Topic 127" and abs(point[0] - point[1]) < 2,
              f"a jump to an alias shows its point below the non-scrolling region ({point})")
        check(not console_errors(driver), "no errors in the console")
    finally:
        driver.quit()
        shutil.rmtree(work, ignore_errors=True)
        shutil.rmtree(profile, ignore_errors=True)


def check_chm(zek2rtf, source_dir):
    for tool in ("chmcmd", "extract_chmLib"):
        if shutil.which(tool) is None:
            missing(tool)
    work = tempfile.mkdtemp(prefix="zek2rtf-chm-")
    try:
        shutil.copy(os.path.join(source_dir, "examples", "sample.zek"), work)
        convert(zek2rtf, work, "sample.zek", "sample.hhp")
        result = subprocess.run(["chmcmd", "sample.hhp"], cwd=work, capture_output=True)
        output = (result.stdout + result.stderr).decode("latin-1")
        print(output)
        # chmcmd exits 0 even after errors: its messages decide.
        check(result.returncode == 0 and "Error" not in output and "Warning" not in output,
              "chmcmd compiles the project without errors or warnings")
        subprocess.run(["extract_chmLib", "sample.chm", "unpacked"], cwd=work, check=True,
                       capture_output=True)
        unpacked = os.path.join(work, "unpacked")
        pages = sorted(os.listdir(os.path.join(work, "sample")))
        for page in pages:
            check(os.path.exists(os.path.join(unpacked, "sample", page)), f"{page} is in the chm")
        for sitemap in ("sample.hhc", "sample.hhk"):
            check(os.path.exists(os.path.join(unpacked, sitemap)), f"{sitemap} is in the chm")
        with open(os.path.join(unpacked, "sample.hhc"), "rb") as f:
            contents = f.read()
        check(b"sample/xx1.htm" in contents, "the contents lead to the pages")
        if os.path.exists("/usr/bin/chromium"):
            driver, profile = start_browser()
            from selenium.webdriver.common.by import By
            try:
                driver.get("file://" + os.path.join(unpacked, "sample", "xx0.htm"))
                check(driver.title == "Contents", "the unpacked default topic opens")
                driver.find_element(By.LINK_TEXT, "Setup").click()
                check(driver.title == "Setup", "its hot spot leads to the unpacked topic")
                check(not console_errors(driver), "no errors in the console")
            finally:
                driver.quit()
                shutil.rmtree(profile, ignore_errors=True)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def timing(zek2rtf, topics):
    driver, profile = start_browser(wait_for_load=False)
    from selenium.webdriver.common.by import By
    work = tempfile.mkdtemp(prefix="zek2rtf-timing-")
    try:
        with open(os.path.join(work, "big.zek"), "wb") as out:
            out.write(generated_source(topics))
        convert(zek2rtf, work, "big.zek", "big.html")
        size = os.path.getsize(os.path.join(work, "big.html"))
        start = time.perf_counter()
        driver.get("file://" + os.path.join(work, "big.html"))
        drawn = None
        while driver.execute_script("return document.readyState") != "complete":
            if drawn is None and driver.execute_script(
                    "const s = document.querySelector('main section');"
                    "return s != null && s.getBoundingClientRect().height > 0;"):
                drawn = time.perf_counter() - start
            time.sleep(0.02)
        loaded = time.perf_counter() - start
        # Following a link, timed inside the page from the click to the next
        # frame (the time of the WebDriver round trips is no part of it).
        followed = driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            f"const link = {SHOWN_SECTION}.querySelector('a.j');"
            "const start = performance.now();"
            "link.click();"
            "requestAnimationFrame(() => setTimeout(() => done(performance.now() - start), 0));") / 1000
        second = heading(driver)
        print(f"{topics} topics, {size / 1e6:.1f} MB: first topic drawn after "
              f"{drawn if drawn is None else round(drawn, 2)} s, page read after {loaded:.2f} s;"
              f" a link followed ({second}) in {followed * 1000:.0f} ms")
    finally:
        driver.quit()
        shutil.rmtree(work, ignore_errors=True)
        shutil.rmtree(profile, ignore_errors=True)


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    mode, zek2rtf, argument = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
    if mode == "page":
        check_page(zek2rtf, argument)
    elif mode == "chm":
        check_chm(zek2rtf, argument)
    elif mode == "timing":
        timing(zek2rtf, int(argument))
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
