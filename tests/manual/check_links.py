#!/usr/bin/env python3
"""Checks the HTML manual: every relative link and anchor resolves, every page declares UTF-8,
links back to the contents and closes what it opens, and every page is reachable from the
contents. Usage: check_links.py [MANUAL_FOLDER] (default: doc/manual beside this script's repo).
Exit status 0 when the manual is sound, 1 with one line per fault otherwise."""

import html.parser
import pathlib
import sys
import urllib.parse

# Elements that have no end tag.
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.anchors = set()
        self.links = []  # (line, target)
        self.utf8 = False
        self.open = []  # (tag, line)
        self.faults = []

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        for key in ("id", "name"):
            if attributes.get(key):
                self.anchors.add(attributes[key])
        for key in ("href", "src"):
            if attributes.get(key) is not None:
                self.links.append((self.getpos()[0], attributes[key]))
        if tag == "meta" and (attributes.get("charset") or "").lower() == "utf-8":
            self.utf8 = True
        if tag not in VOID:
            self.open.append((tag, self.getpos()[0]))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.open.pop()

    def handle_endtag(self, tag):
        line = self.getpos()[0]
        if not self.open or self.open[-1][0] != tag:
            expected = self.open[-1][0] if self.open else "nothing"
            self.faults.append("line %d: </%s> closes %s" % (line, tag, expected))
            # Recover: drop up to the matching open tag, if any.
            for i in range(len(self.open) - 1, -1, -1):
                if self.open[i][0] == tag:
                    del self.open[i:]
                    break
            return
        self.open.pop()


def read_pages(folder):
    pages = {}
    for path in sorted(folder.glob("*.html")):
        page = Page()
        try:
            page.feed(path.read_text(encoding="utf-8"))
            page.close()
        except UnicodeDecodeError as error:
            page.faults.append("not UTF-8: %s" % error)
        for tag, line in page.open:
            page.faults.append("line %d: <%s> is never closed" % (line, tag))
        pages[path.name] = page
    return pages


def check(folder):
    faults = []
    pages = read_pages(folder)
    if "index.html" not in pages:
        return ["%s: no index.html" % folder]
    reached = {"index.html"}
    queue = ["index.html"]
    while queue:
        name = queue.pop()
        for _, target in pages[name].links:
            parts = urllib.parse.urlsplit(target)
            if parts.scheme or parts.netloc or not parts.path:
                continue
            linked = (folder / name).parent.joinpath(urllib.parse.unquote(parts.path)).resolve()
            if linked.parent == folder.resolve() and linked.name in pages and linked.name not in reached:
                reached.add(linked.name)
                queue.append(linked.name)
    for name, page in pages.items():
        faults += ["%s: %s" % (name, fault) for fault in page.faults]
        if not page.utf8:
            faults.append("%s: no <meta charset=\"utf-8\">" % name)
        if name != "index.html" and not any(t == "index.html" for _, t in page.links):
            faults.append("%s: no link back to index.html" % name)
        if name not in reached:
            faults.append("%s: not reachable from index.html" % name)
        for line, target in page.links:
            parts = urllib.parse.urlsplit(target)
            if parts.scheme or parts.netloc:
                continue  # an outside address: not ours to check
            if parts.path.startswith("/"):
                faults.append("%s line %d: absolute link %s" % (name, line, target))
                continue
            file_name = urllib.parse.unquote(parts.path) or name
            linked = (folder / file_name).resolve()
            if not linked.is_file():
                faults.append("%s line %d: %s does not exist" % (name, line, target))
                continue
            if parts.fragment:
                anchors = pages[linked.name].anchors if linked.name in pages and \
                    linked.parent == folder.resolve() else set()
                if parts.fragment not in anchors:
                    faults.append("%s line %d: no anchor #%s in %s" %
                                  (name, line, parts.fragment, linked.name))
    return faults


def main():
    if len(sys.argv) > 1:
        folder = pathlib.Path(sys.argv[1])
    else:
        folder = pathlib.Path(__file__).resolve().parents[2] / "doc" / "manual"
    faults = check(folder)
    for fault in faults:
        print(fault)
    if not faults:
        print("%s: %d pages, every link resolves" % (folder, len(list(folder.glob("*.html")))))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
