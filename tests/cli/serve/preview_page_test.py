#!/usr/bin/python3
"""The preview page of `tipolaria serve` in a real browser.

Headless Chromium, driven through chromedriver, opens the page of a service
started here on the demo declaration, on a phone-sized window, prints the
demo and checks what a person sees: every page's picture loaded, as many as
the PDFs have pages, download links that give those PDFs, and the
component's own message for a declaration that does not exist. It saves a
screenshot of each for people to look at.

Usage: preview_page_test.py TIPOLARIA FIXTURES_FOLDER SCREENSHOT_FOLDER
"""

import base64
import os
import re
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

DEMO = "26001IC04000123A"
PHONE = (412, 915)


def make_database(tool, fixtures, path):
    subprocess.run([tool, "db", "init", path], check=True, capture_output=True)
    with sqlite3.connect(path) as db:
        for script in ("decl_catalogo.sql", "decl_demo.sql"):
            with open(os.path.join(fixtures, script), encoding="utf-8") as sql:
                db.executescript(sql.read())


def start_service(tool, database, work):
    service = subprocess.Popen(
        [tool, "serve", "-c", "sqlite:" + database, "--listen", "127.0.0.1:0", "--workers", "2"],
        stderr=subprocess.PIPE, text=True, env=dict(os.environ, TMPDIR=work))
    for line in service.stderr:
        found = re.search(r"listening on (http://127\.0\.0\.1:\d+/)", line)
        if found:
            # The access log goes on: read it, so that the service never
            # waits on a full pipe.
            threading.Thread(target=service.stderr.read, daemon=True).start()
            return service, found.group(1)
    raise AssertionError("the service did not start: " + str(service.wait()))


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + profile, "--window-size=%d,%d" % PHONE):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def fetch_in_page(driver, url):
    """The bytes behind a link of the page, fetched by the page itself."""
    encoded = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "fetch(arguments[0]).then((r) => r.arrayBuffer()).then((buffer) => {"
        "  let text = ''; for (const b of new Uint8Array(buffer)) text += String.fromCharCode(b);"
        "  done(btoa(text)); }).catch((e) => done('failed: ' + e));", url)
    assert not encoded.startswith("failed"), encoded
    return base64.b64decode(encoded)


def pdf_pages(data, work, name):
    path = os.path.join(work, name)
    with open(path, "wb") as pdf:
        pdf.write(data)
    info = subprocess.run(["pdfinfo", path], check=True, capture_output=True, text=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def fill(driver, values):
    driver.find_element(By.CSS_SELECTOR, "details summary").click()  # the other fields
    for name, value in values.items():
        element = driver.find_element(By.ID, name)
        if element.tag_name == "select":
            Select(element).select_by_value(value)
        else:
            element.clear()
            element.send_keys(value)
    driver.find_element(By.ID, "print").click()


def check_demo(driver, work, screenshots):
    fill(driver, {"iddtext": DEMO, "oper": "1", "nombre_despachante": "O'BRIEN, JUAN PATRICIO",
                  "fecofi": "05/12/2026 10:42:17", "canal": "2",
                  "referencia_cliente": "PO-4471/2026", "org": "ADUANA DE BUENOS AIRES",
                  "eta": "X1", "oper_date": "05/12/2026"})
    WebDriverWait(driver, 30).until(
        lambda d: d.find_element(By.ID, "pages").get_attribute("data-state") == "done"
        or d.find_element(By.ID, "error").is_displayed())
    assert not driver.find_element(By.ID, "error").is_displayed(), \
        driver.find_element(By.ID, "error").text
    images = driver.find_elements(By.CSS_SELECTOR, "#pages img")
    widths = [driver.execute_script("return arguments[0].naturalWidth;", image)
              for image in images]
    assert widths and all(width > 0 for width in widths), widths
    captions = [c.text for c in driver.find_elements(By.CSS_SELECTOR, "#pages figcaption")]
    assert captions[0] == "Page 1 of 11 (cover)" and captions[-1] == "Page 11 of 11 (continuation)", \
        captions

    pages = 0
    for link_id, name in (("cover-link", "cover.pdf"), ("continuation-link", "continuation.pdf")):
        link = driver.find_element(By.ID, link_id)
        assert link.is_displayed(), link_id
        assert link.get_attribute("download") == DEMO + "-" + name, link.get_attribute("download")
        data = fetch_in_page(driver, link.get_attribute("href"))
        assert data.startswith(b"%PDF-"), data[:20]
        pages += pdf_pages(data, work, name)
    assert len(images) == pages, (len(images), pages)

    # Usable on a phone: nothing wider than the window.
    assert driver.execute_script(
        "return document.documentElement.scrollWidth <= window.innerWidth;"), "scrolls sideways"
    driver.save_screenshot(os.path.join(screenshots, "preview-phone.png"))
    # The first page at a desktop's size, as a person at a broker's desk sees it.
    driver.set_window_size(1280, 1400)
    driver.execute_script("document.querySelector('#pages figure').scrollIntoView();"
                          "window.scrollBy(0, -260);")
    driver.save_screenshot(os.path.join(screenshots, "preview-desktop.png"))
    driver.set_window_size(*PHONE)
    return len(images)


def check_unknown(driver, screenshots):
    driver.execute_script("window.scrollTo(0, 0);")
    iddtext = driver.find_element(By.ID, "iddtext")
    iddtext.clear()
    iddtext.send_keys("26001IC04000999X")
    driver.find_element(By.ID, "print").click()
    error = driver.find_element(By.ID, "error")
    WebDriverWait(driver, 15).until(lambda d: error.is_displayed())
    message = driver.find_element(By.ID, "error-message").text
    assert message == "No se encontró la declaración '26001IC04000999X'", message
    assert "GenerateIMP" in driver.find_element(By.ID, "error-source").text
    assert not driver.find_elements(By.CSS_SELECTOR, "#pages img"), "pictures of the last print"
    driver.save_screenshot(os.path.join(screenshots, "preview-unknown.png"))


def main(tool, fixtures, screenshots):
    work = tempfile.mkdtemp(prefix="tipolaria-browser-")
    service = driver = None
    try:
        database = os.path.join(work, "demo.db")
        make_database(tool, fixtures, database)
        service, url = start_service(tool, database, work)
        os.makedirs(screenshots, exist_ok=True)
        driver = browser(os.path.join(work, "profile"))
        driver.set_script_timeout(20)
        driver.set_window_size(*PHONE)
        driver.get(url)
        assert driver.title == "tipolaria: declaration preview", driver.title
        started = time.monotonic()
        pictures = check_demo(driver, work, screenshots)
        check_unknown(driver, screenshots)
        print("preview page: %d pictures, both PDFs, the unknown declaration's message "
              "(%.1f s); screenshots in %s" % (pictures, time.monotonic() - started, screenshots))
    finally:
        if driver is not None:
            driver.quit()
        if service is not None:
            service.send_signal(signal.SIGTERM)
            service.wait(timeout=30)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main(*sys.argv[1:4])
