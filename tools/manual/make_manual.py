#!/usr/bin/python3
"""Builds the user manual panduan.pdf from a text source and screenshots.

Usage: make_manual.py SOURCE.txt PICTURE_DIR OUTPUT.pdf

The source is plain text: "# " starts the title, "## " a section, a line
"[gambar FILE Caption]" places a picture from PICTURE_DIR with its caption, and
other lines join into paragraphs (a blank line ends one). A picture that is
missing is left out with a note, so the manual can always be built.
"""
import os
import sys

from reportlab.lib.enums import TA_CENTER
from reportlab.lib.pagesizes import A4
from reportlab.lib.styles import ParagraphStyle, getSampleStyleSheet
from reportlab.lib.units import mm
from reportlab.platypus import Image, KeepTogether, Paragraph, SimpleDocTemplate, Spacer
from xml.sax.saxutils import escape


def styles():
    base = getSampleStyleSheet()
    body = ParagraphStyle("body", parent=base["BodyText"], fontName="Helvetica", fontSize=10.5,
                          leading=14.5, spaceAfter=6)
    return {
        "title": ParagraphStyle("title", parent=base["Title"], fontName="Helvetica-Bold", fontSize=22,
                                spaceAfter=4),
        "subtitle": ParagraphStyle("subtitle", parent=body, alignment=TA_CENTER, textColor="#555555",
                                   spaceAfter=14),
        "h2": ParagraphStyle("h2", parent=base["Heading2"], fontName="Helvetica-Bold", fontSize=14,
                             textColor="#1F3A5F", spaceBefore=10, spaceAfter=6),
        "body": body,
        "caption": ParagraphStyle("caption", parent=body, alignment=TA_CENTER, fontSize=9,
                                  textColor="#555555", spaceAfter=10),
    }


def picture(path, caption, st, width):
    from reportlab.lib.utils import ImageReader
    w, h = ImageReader(path).getSize()
    # Screenshots are 96 dpi: at most their own size (0.75 pt a pixel).
    scale = min(width / w, 110 * mm / h, 0.75)
    img = Image(path, width=w * scale, height=h * scale)
    return KeepTogether([img, Paragraph(escape(caption), st["caption"])])


def build(source, pictures, output):
    st = styles()
    story, paragraph = [], []
    first_line_after_title = False
    width = A4[0] - 40 * mm

    def flush():
        if paragraph:
            story.append(Paragraph(escape(" ".join(paragraph)), st["body"]))
            paragraph.clear()

    with open(source, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if first_line_after_title and line:
                story.append(Paragraph(escape(line), st["subtitle"]))
                first_line_after_title = False
                continue
            if not line:
                flush()
            elif line.startswith("## "):
                flush()
                story.append(Paragraph(escape(line[3:]), st["h2"]))
            elif line.startswith("# "):
                flush()
                story.append(Paragraph(escape(line[2:]), st["title"]))
                first_line_after_title = True
            elif line.startswith("[gambar ") and line.endswith("]"):
                flush()
                name, _, caption = line[8:-1].partition(" ")
                path = os.path.join(pictures, name)
                if os.path.isfile(path):
                    story.append(Spacer(1, 4))
                    story.append(picture(path, caption, st, width))
            else:
                paragraph.append(line)
    flush()

    def footer(canvas, doc):
        canvas.saveState()
        canvas.setFont("Helvetica", 8.5)
        canvas.setFillColor("#777777")
        canvas.drawCentredString(A4[0] / 2, 12 * mm, "Panduan Vantorel - halaman %d" % doc.page)
        canvas.restoreState()

    tmp = output + ".tmp"
    doc = SimpleDocTemplate(tmp, pagesize=A4, leftMargin=20 * mm, rightMargin=20 * mm,
                            topMargin=18 * mm, bottomMargin=20 * mm, title="Panduan Vantorel",
                            author="Vantorel")
    doc.build(story, onFirstPage=footer, onLaterPages=footer)
    os.replace(tmp, output)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    build(sys.argv[1], sys.argv[2], sys.argv[3])
