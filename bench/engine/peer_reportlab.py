#!/usr/bin/python3
"""The benchmark's peer: the item list drawn with ReportLab's canvas.

Usage: peer_reportlab.py ITEMS OUT.pdf -- prints the page count.

Two passes, as a canvas program needs for "Page n of m": the first measures every
text and breaks the pages, the second draws them with the total known. The page
contents and geometry are those of the engine's item list.
"""
import sys

from reportlab.pdfbase import pdfmetrics
from reportlab.pdfbase.ttfonts import TTFont
from reportlab.pdfgen import canvas

WORDS = ["crash", "when", "saving", "the", "report", "window", "after", "login"]
STATUS = ["Open", "Assigned", "Resolved", "Closed"]
PRIORITY = ["High", "Medium", "Low"]
USERS = ["Ann Smith", "Bob Jones", "Carla Diaz", "Dan Miller", "Eve Anderson", "Frank Lee"]
COLUMNS = [("Item", 900), ("Subject", 4200), ("Status", 1200), ("Priority", 1000),
           ("Assigned To", 1400), ("Date Created", 1700)]

PAGE_W, PAGE_H = 612.0, 792.0
LEFT = 770 / 20.0
BODY_TOP = 72 + 1425 / 20.0
ROW = 300 / 20.0
FOOTER_TOP = 792 - 72 - 465 / 20.0
ASCENT = 1.0  # Tahoma's ascent in em, as the engine sets text


def item_text(row, column):
    if column == 0:
        return str(row + 1)
    if column == 1:
        subject = "Item %d:" % (row + 1)
        for w in range(2 + row % 3):
            subject += " " + WORDS[(row // (w + 1) + w) % 8]
        return subject
    if column == 2:
        return STATUS[row % 4]
    if column == 3:
        return PRIORITY[row % 3]
    if column == 4:
        return USERS[row % 6]
    return "%02d/%02d/2026 %02d:%02d" % (1 + row % 12, 1 + row % 28, row % 24, row % 60)


def column_lefts():
    lefts, x = [], LEFT + 12.5
    for _, width in COLUMNS:
        lefts.append(x)
        x += (width + 45) / 20.0
    return lefts


def paginate(items):
    """First pass: measure each item's texts against its column, break pages."""
    pages, used = 1, 0.0
    for row in range(items):
        lines = 1
        for c, (_, width) in enumerate(COLUMNS):
            w = pdfmetrics.stringWidth(item_text(row, c), "Tahoma", 10)
            lines = max(lines, int(w // (width / 20.0)) + 1)
        height = ROW + (lines - 1) * 12.07
        if BODY_TOP + used + height > FOOTER_TOP:
            pages += 1
            used = 0.0
        used += height
    return pages


def main():
    items, path = int(sys.argv[1]), sys.argv[2]
    pdfmetrics.registerFont(TTFont("Tahoma", "/usr/share/wine/fonts/tahoma.ttf"))
    pdfmetrics.registerFont(TTFont("Tahoma-Bold", "/usr/share/wine/fonts/tahomabd.ttf"))
    total = paginate(items)
    lefts = column_lefts()
    c = canvas.Canvas(path, pagesize=(PAGE_W, PAGE_H), pageCompression=1)
    rows_per_page = int((FOOTER_TOP - BODY_TOP) / ROW + 1e-9)
    row = 0
    for page in range(total):
        c.setFont("Tahoma", 15.75)
        c.drawString(LEFT + 36, PAGE_H - (72 + 31.5 + 15.75 * ASCENT), "Item List Report")
        c.setFont("Tahoma-Bold", 10)
        for (caption, _), x in zip(COLUMNS, lefts):
            c.drawString(x, PAGE_H - (72 + 58.5 + 10 * ASCENT), caption)
        c.setLineWidth(0.75)
        c.line(LEFT, PAGE_H - (72 + 58.5), LEFT + 552, PAGE_H - (72 + 58.5))
        c.setFont("Tahoma", 10)
        for r in range(rows_per_page):
            if row >= items:
                break
            y = PAGE_H - (BODY_TOP + r * ROW + 10 * ASCENT)
            for col, x in enumerate(lefts):
                c.drawString(x, y, item_text(row, col))
            row += 1
        c.setFont("Tahoma", 8.25)
        foot = PAGE_H - (FOOTER_TOP + 4.5 + 8.25 * ASCENT)
        c.drawString(LEFT + 31.5, foot, "Printed")
        c.drawString(LEFT + 58.5, foot, "05/12/2026 18:00:00")
        c.drawString(LEFT + 440, foot, "Page")
        c.drawString(LEFT + 466, foot, str(page + 1))
        c.drawString(LEFT + 485, foot, "of")
        c.drawString(LEFT + 498, foot, str(total))
        c.showPage()
    c.save()
    print(total)


if __name__ == "__main__":
    main()
