#!/usr/bin/python3
"""Turns the user guide into the pages of the program's HTML Help file.

    make_help.py GUIDE IMAGES_DIR KEYBOARD_DIR OUTPUT_DIR

GUIDE is docs/guide.md. Each of its "## " sections becomes one help page (a section marked
"<!-- guide only -->" right under its heading stays out of the help); the text before the first
section becomes the start page. Pictures come from IMAGES_DIR, except the keyboard pictures,
which come from KEYBOARD_DIR where the build drew them from the keyboard driver. Writes the
pages, the pictures, the style sheet, the contents (vbr_help.hhc), the index (vbr_help.hhk) and
the project (vbr_help.hhp) that chmcmd compiles into vbr_help.chm, and the whole guide once
more as one page (vbr_help.html, pictures and style inside it), which the program opens in a
browser where the help viewer cannot show the compiled help.

The guide uses a small part of Markdown, which this script understands: headings, paragraphs,
lists ("- " and "1. "), tables, fenced code, pictures, links, **strong**, *emphasis* and
`code`. Anything else is an error, so the help never shows a construct it cannot render.
"""
import base64
import html
import os
import re
import shutil
import sys

PROJECT = "vbr_help"
TITLE = "Wordmere help"
START_PAGE = "index.html"
GUIDE_ONLY = "<!-- guide only -->"
STYLE_SHEET = "help.css"


class GuideError(Exception):
    pass


def slug(text):
    """The anchor a Markdown renderer gives a heading (GitHub's rule)."""
    text = text.strip().lower()
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


class Section:
    def __init__(self, title, lines):
        self.title = title
        self.lines = lines
        self.page = START_PAGE if title is None else slug(title) + ".html"
        self.subtitles = [line[4:].strip() for line in lines if line.startswith("### ")]


def split_sections(text):
    """The title, the sections of the help, and the anchors of the sections it leaves out."""
    lines = text.splitlines()
    if not lines or not lines[0].startswith("# "):
        raise GuideError("the guide must begin with its '# ' title")
    sections = [Section(None, [])]
    for line in lines[1:]:
        if line.startswith("## "):
            sections.append(Section(line[3:].strip(), []))
        else:
            sections[-1].lines.append(line)
    kept, left_out = [], set()
    for s in sections:
        if s.lines and s.lines[0].strip() == GUIDE_ONLY:
            left_out.add(slug(s.title))
        else:
            kept.append(s)
    return lines[0][2:].strip(), kept, left_out


class Converter:
    def __init__(self, anchors, left_out, images, picture_source=None):
        # anchors: guide anchor -> "page.html" or "page.html#sub"; left_out: anchors of the
        # guide-only sections; images: the picture names used so far; picture_source: the src
        # of a picture by name (its file under images/ when not given).
        self.anchors = anchors
        self.left_out = left_out
        self.images = images
        self.picture_source = picture_source or (lambda name: "images/" + name)

    def inline(self, text):
        out = []
        pos = 0
        pattern = re.compile(r"`([^`]+)`|!\[([^\]]*)\]\(([^)]+)\)|\[([^\]]+)\]\(([^)]+)\)"
                             r"|\*\*(.+?)\*\*|\*(.+?)\*|\\([\\`*_\[\]])")
        for m in pattern.finditer(text):
            out.append(html.escape(text[pos:m.start()], quote=False))
            if m.group(1) is not None:
                out.append("<code>%s</code>" % html.escape(m.group(1), quote=False))
            elif m.group(3) is not None:
                out.append(self.image(m.group(2), m.group(3)))
            elif m.group(5) is not None:
                out.append('<a href="%s">%s</a>' % (html.escape(self.link(m.group(5))),
                                                    self.inline(m.group(4))))
            elif m.group(6) is not None:
                out.append("<strong>%s</strong>" % self.inline(m.group(6)))
            elif m.group(7) is not None:
                out.append("<em>%s</em>" % self.inline(m.group(7)))
            else:
                out.append(html.escape(m.group(8), quote=False))
            pos = m.end()
        out.append(html.escape(text[pos:], quote=False))
        return "".join(out)

    def image(self, alt, source):
        if not source.startswith("images/") or "/" in source[len("images/"):]:
            raise GuideError("pictures must be in images/: %s" % source)
        name = source[len("images/"):]
        self.images.add(name)
        return '<img src="%s" alt="%s">' % (html.escape(self.picture_source(name)),
                                             html.escape(alt))

    def link(self, target):
        if target.startswith("#"):
            if target[1:] not in self.anchors:
                raise GuideError("link to a section the help does not have: %s" % target)
            return self.anchors[target[1:]]
        if re.match(r"https?://", target):
            return target
        raise GuideError("the help cannot follow a link into the repository: %s" % target)

    def block(self, lines):
        out = []
        i = 0
        while i < len(lines):
            line = lines[i]
            stripped = line.strip()
            if not stripped or stripped == GUIDE_ONLY:
                i += 1
            elif line.startswith("### "):
                title = line[4:].strip()
                out.append('<h2 id="%s">%s</h2>' % (slug(title), self.inline(title)))
                i += 1
            elif line.startswith("#"):
                raise GuideError("only '## ' and '### ' headings are used: %s" % line)
            elif stripped.startswith("```"):
                end = i + 1
                while end < len(lines) and not lines[end].strip().startswith("```"):
                    end += 1
                if end == len(lines):
                    raise GuideError("a code block is not closed")
                code = "\n".join(lines[i + 1:end])
                out.append("<pre>%s</pre>" % html.escape(code, quote=False))
                i = end + 1
            elif stripped.startswith("|"):
                end = i
                while end < len(lines) and lines[end].strip().startswith("|"):
                    end += 1
                out.append(self.table(lines[i:end]))
                i = end
            elif re.match(r"(- |\d+\. )", line):
                end, html_list = self.list_block(lines, i)
                out.append(html_list)
                i = end
            else:
                end = i
                while end < len(lines) and lines[end].strip() and not re.match(
                        r"(- |\d+\. |#|\||```)", lines[end]):
                    end += 1
                text = " ".join(l.strip() for l in lines[i:end])
                if text.startswith("![") and text.endswith(")"):
                    out.append('<p class="picture">%s</p>' % self.inline(text))
                else:
                    out.append("<p>%s</p>" % self.inline(text))
                i = end
        return "\n".join(out)

    def list_block(self, lines, i):
        ordered = bool(re.match(r"\d+\. ", lines[i]))
        marker = r"\d+\. " if ordered else r"- "
        items = []
        while i < len(lines) and re.match(marker, lines[i]):
            text = [re.sub("^" + marker, "", lines[i]).strip()]
            i += 1
            while i < len(lines) and lines[i].startswith("  ") and lines[i].strip():
                text.append(lines[i].strip())
                i += 1
            # The guide's list of sections names the ones the help leaves out too.
            only_link = re.fullmatch(r"\[[^\]]+\]\(#([^)]+)\)", " ".join(text))
            if only_link and only_link.group(1) in self.left_out:
                continue
            items.append("<li>%s</li>" % self.inline(" ".join(text)))
        tag = "ol" if ordered else "ul"
        return i, "<%s>\n%s\n</%s>" % (tag, "\n".join(items), tag)

    def table(self, rows):
        cells = [[c.strip() for c in row.strip().strip("|").split("|")] for row in rows]
        if len(cells) < 2 or not all(re.match(r"^:?-+:?$", c) for c in cells[1]):
            raise GuideError("a table needs a header and a rule: %s" % rows[0])
        head = "".join("<th>%s</th>" % self.inline(c) for c in cells[0])
        body = "\n".join("<tr>%s</tr>" % "".join("<td>%s</td>" % self.inline(c) for c in row)
                         for row in cells[2:])
        return "<table>\n<tr>%s</tr>\n%s\n</table>" % (head, body)


def page_html(title, body, sections, current):
    links = []
    for s in sections:
        name = TITLE if s.title is None else s.title
        if s is current:
            links.append("<li><strong>%s</strong></li>" % html.escape(name))
        else:
            links.append('<li><a href="%s">%s</a></li>' % (s.page, html.escape(name)))
    return """<!DOCTYPE html>
<html lang="en">
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<meta http-equiv="X-UA-Compatible" content="IE=edge">
<title>%s</title>
<link rel="stylesheet" href="%s">
</head>
<body>
<h1>%s</h1>
%s
<hr>
<ul class="pages">
%s
</ul>
</body>
</html>
""" % (html.escape(title), STYLE_SHEET, html.escape(title), body, "\n".join(links))


def single_page_html(title, sections, converter, style):
    parts = []
    for s in sections:
        if s.title is None:
            parts.append(converter.block(s.lines))
        else:
            parts.append('<h1 id="%s">%s</h1>\n%s' % (slug(s.title), html.escape(s.title),
                                                      converter.block(s.lines)))
    return """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>%s</title>
<style>
%s</style>
</head>
<body>
<h1>%s</h1>
%s
</body>
</html>
""" % (html.escape(title), style, html.escape(title), "\n".join(parts))


def picture_path(name, images_dir, keyboard_dir):
    generated = os.path.join(keyboard_dir, name)
    source = generated if os.path.exists(generated) else os.path.join(images_dir, name)
    if not os.path.exists(source):
        raise GuideError("missing picture: %s" % name)
    return source


def sitemap_item(name, local):
    return ('<LI><OBJECT type="text/sitemap">\n<param name="Name" value="%s">\n'
            '<param name="Local" value="%s">\n</OBJECT>\n'
            % (html.escape(name), html.escape(local)))


def write_contents(path, sections):
    out = ["<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<BODY>\n<UL>\n"]
    for s in sections:
        out.append(sitemap_item(TITLE if s.title is None else s.title, s.page))
        if s.subtitles:
            out.append("<UL>\n")
            for sub in s.subtitles:
                out.append(sitemap_item(sub, "%s#%s" % (s.page, slug(sub))))
            out.append("</UL>\n")
    out.append("</UL>\n</BODY>\n</HTML>\n")
    with open(path, "w", encoding="utf-8") as f:
        f.write("".join(out))


def write_index(path, sections):
    entries = []
    for s in sections:
        if s.title is not None:
            entries.append((s.title, s.page))
        for sub in s.subtitles:
            entries.append((sub, "%s#%s" % (s.page, slug(sub))))
    out = ["<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<BODY>\n<UL>\n"]
    for name, local in sorted(entries, key=lambda e: e[0].lower()):
        out.append(sitemap_item(name, local))
    out.append("</UL>\n</BODY>\n</HTML>\n")
    with open(path, "w", encoding="utf-8") as f:
        f.write("".join(out))


def write_project(path, files):
    with open(path, "w", encoding="utf-8") as f:
        f.write("[OPTIONS]\n")
        f.write("Compatibility=1.1 or later\n")
        f.write("Compiled file=%s.chm\n" % PROJECT)
        f.write("Contents file=%s.hhc\n" % PROJECT)
        f.write("Index file=%s.hhk\n" % PROJECT)
        f.write("Default topic=%s\n" % START_PAGE)
        f.write("Default Window=main\n")
        f.write("Display compile progress=No\n")
        f.write("Full-text search=Yes\n")
        f.write("Language=0x409 English (United States)\n")
        f.write("Title=%s\n\n" % TITLE)
        f.write("[WINDOWS]\n")
        f.write('main="%s","%s.hhc","%s.hhk","%s","%s",,,,,0x63520,,0x387e,,,,,,,,0\n\n'
                % (TITLE, PROJECT, PROJECT, START_PAGE, START_PAGE))
        f.write("[FILES]\n")
        for name in files:
            f.write(name + "\n")


def build(guide_path, images_dir, keyboard_dir, out_dir):
    with open(guide_path, encoding="utf-8") as f:
        title, sections, left_out = split_sections(f.read())
    anchors = {}
    for s in sections:
        if s.title is not None:
            anchors[slug(s.title)] = s.page
        for sub in s.subtitles:
            anchors[slug(sub)] = "%s#%s" % (s.page, slug(sub))
    images = set()
    converter = Converter(anchors, left_out, images)
    os.makedirs(os.path.join(out_dir, "images"), exist_ok=True)
    files = []
    for s in sections:
        body = converter.block(s.lines)
        name = TITLE if s.title is None else s.title
        with open(os.path.join(out_dir, s.page), "w", encoding="utf-8") as f:
            f.write(page_html(name, body, sections, s))
        files.append(s.page)
    for name in sorted(images):
        source = picture_path(name, images_dir, keyboard_dir)
        shutil.copyfile(source, os.path.join(out_dir, "images", name))
        files.append("images/" + name)
    style_sheet = os.path.join(os.path.dirname(os.path.abspath(__file__)), STYLE_SHEET)
    shutil.copyfile(style_sheet, os.path.join(out_dir, STYLE_SHEET))
    files.append(STYLE_SHEET)

    # The one page: every section under its own anchor, links to sections as links within it.
    single_anchors = {anchor: "#" + anchor for anchor in anchors}

    def embedded(name):
        with open(picture_path(name, images_dir, keyboard_dir), "rb") as f:
            return "data:image/png;base64," + base64.b64encode(f.read()).decode("ascii")

    single = Converter(single_anchors, left_out, set(), embedded)
    with open(style_sheet, encoding="utf-8") as f:
        style = f.read()
    with open(os.path.join(out_dir, PROJECT + ".html"), "w", encoding="utf-8") as f:
        f.write(single_page_html(title, sections, single, style))
    write_contents(os.path.join(out_dir, PROJECT + ".hhc"), sections)
    write_index(os.path.join(out_dir, PROJECT + ".hhk"), sections)
    write_project(os.path.join(out_dir, PROJECT + ".hhp"), files)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    try:
        build(*sys.argv[1:])
    except GuideError as e:
        sys.exit("make_help: %s: %s" % (sys.argv[1], e))


if __name__ == "__main__":
    main()
