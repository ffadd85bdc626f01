"""The show's page in headless Chromium: on the virtual clock it shows the
cells of the native headless grid; on the audio clock the music plays and
its sync bytes reach the timeline in order within 30 ms of their rows;
Escape ends on the closing screen; nothing is fetched from outside the folder."""
import functools
import http.server
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import threading
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE_DIR / "tests" / "windows"))
from test_console_probe import PROBE_TIMES, describe_difference, read_cells  # noqa: E402

PAGE_DIR = os.environ.get("KORVEL_WEB_DIR")
NATIVE = os.environ.get("KORVEL_NATIVE_BIN")
SCREENSHOT = os.environ.get("KORVEL_WEB_SCREENSHOT", str(SOURCE_DIR / "build-web" / "web.png"))
LIVE_SECONDS = 32
SYNC_TOLERANCE_MS = 30
# Rows heard in the last moments may not have been delivered yet.
LIVE_MARGIN_MS = 200


def storyboard_syncs():
    """(ms, byte) of every sync byte in the script's order, as the native sync compiler lists them."""
    rows = re.findall(r"^\| (\d+):(\d+)\.(\d+) \| \d+ \| \d+ \| ([0-9A-F]{2}) \|", (SOURCE_DIR / "docs" /
                      "storyboard.md").read_text(), re.M)
    return [(int(m) * 60000 + int(s) * 1000 + int(ms), int(byte, 16)) for m, s, ms, byte in rows]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@unittest.skipUnless(PAGE_DIR and NATIVE, "KORVEL_WEB_DIR and KORVEL_NATIVE_BIN name the page and the native program")
class WebPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(QuietHandler, directory=PAGE_DIR))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        cls.base = "http://127.0.0.1:%d/" % server.server_address[1]
        with tempfile.TemporaryDirectory() as directory:
            out = os.path.join(directory, "page.json")
            subprocess.run(["node", str(SOURCE_DIR / "tests" / "web" / "drive_page.js"), cls.base + "index.html", out,
                            SCREENSHOT, ",".join(PROBE_TIMES), str(LIVE_SECONDS)], check=True, timeout=900)
            cls.page = json.loads(Path(out).read_text())
            cls.native = {}
            for seconds in PROBE_TIMES:
                path = os.path.join(directory, "native-%s.cells" % seconds)
                subprocess.run([NATIVE, "--fps", "30", "--console-probe", seconds, path], cwd=SOURCE_DIR, check=True,
                               stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
                cls.native[seconds] = read_cells(path)
        server.shutdown()
        server.server_close()

    def test_cells_on_the_virtual_clock_equal_the_native_grid(self):
        for seconds in PROBE_TIMES:
            with self.subTest(seconds=seconds):
                header, native = self.native[seconds]
                self.assertIsNotNone(self.page["probes"][seconds], "the probe failed in the page")
                web_header, web = read_cells_bytes(bytes(self.page["probes"][seconds]))
                self.assertEqual(web_header, header)
                self.assertGreater(len(set(native[:4000])), 2)
                if native != web:
                    self.fail(describe_difference(native, web))

    def test_sync_bytes_arrive_in_order_when_their_rows_are_heard(self):
        self.assertEqual(self.page["audioState"], "running")
        heard = self.page["heardMs"]
        expected = [sync for sync in storyboard_syncs() if sync[0] < heard - LIVE_MARGIN_MS]
        delivered = self.page["syncs"][:len(expected)]
        self.assertGreater(len(expected), 20)
        self.assertEqual([s["command"] for s in delivered], [byte for _, byte in expected])
        late = [(ms, s["deliveredMs"]) for (ms, _), s in zip(expected, delivered)
                if abs(s["deliveredMs"] - ms) > SYNC_TOLERANCE_MS]
        worst = max(abs(s["deliveredMs"] - ms) for (ms, _), s in zip(expected, delivered))
        print("sync bytes: %d delivered, worst %d ms from their rows" % (len(delivered), worst), file=sys.stderr)
        self.assertEqual(late, [], "(row ms, delivered ms) off by more than %d ms" % SYNC_TOLERANCE_MS)

    def test_escape_ends_on_the_closing_screen_and_nothing_left_the_folder(self):
        self.assertTrue(self.page["closingShown"])
        self.assertTrue(self.page["playedAgain"], "play again did not start the show with its sync bytes")
        # Played again in the block look: the canvas's own pixels, 160 x 100.
        self.assertEqual(self.page["blockPictureSize"], [160, 100])
        self.assertTrue(self.page["gentleAtLoad"], "prefers-reduced-motion did not choose gentle mode")
        self.assertEqual(self.page["errors"], [])
        self.assertEqual([url for url in self.page["requests"] if not url.startswith(self.base)], [])
        steps = sorted(self.page["stepMs"])
        print("step time over %d frames: median %.2f ms, 99th percentile %.2f ms" %
              (len(steps), statistics.median(steps), steps[len(steps) * 99 // 100]), file=sys.stderr)


def read_cells_bytes(data):
    header, _, cells = data.partition(b"\n")
    return header, cells


if __name__ == "__main__":
    unittest.main()
