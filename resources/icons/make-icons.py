#!/usr/bin/env python3
"""Renders the program's pictures into the PNG files of this folder from the SVG files of the
Breeze icon theme (Debian 12 package breeze-icon-theme), with rsvg-convert (package librsvg2-bin).

Run by a developer after changing the tables below (the build only reads the PNG files):
    python3 resources/icons/make-icons.py
It rewrites the size folders (16/, 24/, 32/, 48/, 64/, 96/, 128/) and prints the resource lines for
resources/resources.qrc.

- Command pictures: the theme's monochrome 22-pixel action pictures, centred unscaled in 24
  pixels and drawn twice as large, centred in 48 pixels, for enlarged screens; the few shown
  smaller, its 16-pixel ones at 16 and 32 pixels.
- Archive pictures (the launcher's tiles): an action picture drawn white on a rounded square of
  the archive's colour, at 48, 64, 96 and 128 pixels.
- Message pictures: the theme's 64-pixel status pictures at 32, 48 and 64 pixels; the blue of
  the information picture and the yellow of the warning picture are darkened so that they stand
  out from the window background as much as the others.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

THEME = "/usr/share/icons/breeze"
HERE = os.path.dirname(os.path.abspath(__file__))

# Command pictures: the theme's action name (or the path of another 22-pixel monochrome picture),
# whose last part is the picture's name in the program.
COMMANDS = [
    "application-exit",        # Esci
    "call-start",              # Ricontattare
    "clock",                   # Da eseguire
    "dialog-ok-apply",         # Disponibili
    "document-edit-sign",      # Da completare
    "document-export",         # RTF
    "document-import",         # Importa
    "document-new",            # Nuova
    "document-open-folder",    # Cartella
    "document-print",          # Stampa
    "document-print-preview",  # Anteprima
    "document-revert",         # Ripristina
    "document-save",           # Salva
    "devices/22/drive-removable-media-usb-pendrive",  # Copia di sicurezza
    "edit-clear",              # the attachment screen's clear buttons
    "edit-copy",               # Duplica
    "edit-find",               # Trova
    "format-list-ordered",     # Numerazione
    "format-number-percent",   # Scontate
    "globe",                   # Sito web
    "go-first",                # Prima
    "go-last",                 # Ultima
    "go-next",                 # Avanti
    "go-previous",             # Indietro
    "help-about",              # Informazioni
    "help-contents",           # Guida
    "mail-attachment",         # Allegati
    "question",                # Da confermare
    "table",                   # Excel, Esporta
    "taxes-finances",          # Non pagati
    "view-calendar",           # Calendario
    "view-calendar-list",      # Riepilogo
    "view-filter",             # Visualizza (the period queries)
    "view-fullscreen",         # Schermo intero
    "view-list-text",          # Elenco
    "view-pim-contacts",       # Rubrica
    "view-pim-tasks-pending",  # Da pagare
    "view-task",               # Pagati
    "viewpdf",                 # PDF
    "window-close",            # Chiudi
    "zoom-fit-page",           # Adatta alla pagina
    "zoom-in",                 # Zoom avanti
    "zoom-out",                # Zoom indietro
]

# Small command pictures (the calendar button beside a date): the theme's 16-pixel action
# pictures at 16 pixels and twice that.
SMALL_COMMANDS = [
    "view-calendar-day",
]

# Archive pictures: name -> (the theme's monochrome picture drawn on the square, the square's colour).
ARCHIVES = {
    "archive-clients": ("actions/22/tag-people", "#1d4f91"),
    "archive-pricelist": ("actions/22/tag", "#00796b"),
    "archive-services": ("actions/22/view-financial-list", "#5e35b1"),
    "archive-mail": ("actions/22/mail-message", "#c62828"),
    "archive-documents": ("actions/22/document-multiple", "#6d4c41"),
    "archive-deadlines": ("actions/22/view-calendar", "#d84315"),
    "archive-transfers": ("actions/22/view-bank", "#2e7d32"),
    "archive-summaries": ("actions/22/view-statistics", "#0e6e8c"),
    "archive-library": ("actions/16/accessories-dictionary-symbolic", "#8e24aa"),
    "archive-articles": ("actions/22/view-pim-news", "#455a64"),
}

# Message pictures: name -> colour replacements.
MESSAGES = {
    "dialog-information": {"#20bcfa": "#1f6fb5", "#197cf1": "#1a5fa8", "#7cbaf8": "#3b82c4"},
    "dialog-warning": {"#faae2a": "#c25200", "#ffc35a": "#cc5c00", "#e59305": "#a84700"},
    "dialog-error": {},
    "dialog-question": {},
}

COMMAND_SIZES = {24: 1, 48: 2}  # size -> scale of the 22-pixel design
SMALL_SIZES = {16: 1, 32: 2}  # size -> scale of the 16-pixel design
ARCHIVE_SIZES = [48, 64, 96, 128]
MESSAGE_SIZES = [32, 48, 64]


def rsvg(source, target, size, page=None, offset=0):
    args = ["rsvg-convert", "-w", str(size), "-h", str(size)]
    if page:
        args += ["--page-width", str(page), "--page-height", str(page), "--left", str(offset), "--top", str(offset)]
    subprocess.run(args + [source, "-o", target], check=True)


def svg_body(path, replacements):
    """The picture's SVG text without its XML declaration, colours replaced."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r"<\?xml[^>]*\?>|<!DOCTYPE[^>]*>|<!--.*?-->", "", text, flags=re.DOTALL)
    for old, new in replacements.items():
        text = re.sub(re.escape(old), new, text, flags=re.IGNORECASE)
    return text


def placed(body, at, size):
    """The picture's root element placed at (at, at), `size` pixels wide and high."""
    root = re.search(r"<svg\b[^>]*>", body)
    tag = root.group(0)
    width = re.search(r'\swidth="([\d.]+)', tag)
    height = re.search(r'\sheight="([\d.]+)', tag)
    tag = re.sub(r'\s(x|y|width|height)="[^"]*"', "", tag)
    if "viewBox" not in tag:
        tag = tag[:-1] + f' viewBox="0 0 {width.group(1)} {height.group(1)}">'
    tag = tag.replace("<svg", f'<svg x="{at}" y="{at}" width="{size}" height="{size}"', 1)
    return body[:root.start()] + tag + body[root.end():]


def archive_svg(glyph, colour, size):
    """A rounded square of `colour` with the action picture `glyph` in white on it."""
    source = os.path.join(THEME, glyph + ".svg")
    # Every colour of the picture becomes white.
    with open(source, encoding="utf-8") as f:
        colours = set(c.lower() for c in re.findall(r"#[0-9a-fA-F]{6}\b", f.read()))
    body = svg_body(source, {c: "#ffffff" for c in colours})
    inner = size * 2 // 3
    at = (size - inner) / 2
    margin = size / 24
    body = placed(body, at, inner)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}">'
            f'<rect x="{margin}" y="{margin}" width="{size - 2 * margin}" height="{size - 2 * margin}" '
            f'rx="{size / 6}" fill="{colour}"/>{body}</svg>')


def main():
    if not shutil.which("rsvg-convert") or not os.path.isdir(THEME):
        sys.exit("needs rsvg-convert (librsvg2-bin) and the Breeze icon theme (breeze-icon-theme)")
    sizes = sorted(set(COMMAND_SIZES) | set(SMALL_SIZES) | set(ARCHIVE_SIZES) | set(MESSAGE_SIZES))
    for size in sizes:
        folder = os.path.join(HERE, str(size))
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    files = []
    for design, names, sizes in ((22, COMMANDS, COMMAND_SIZES), (16, SMALL_COMMANDS, SMALL_SIZES)):
        for entry in names:
            path = entry if "/" in entry else f"actions/{design}/{entry}"
            source = os.path.join(THEME, path + ".svg")
            for size, scale in sizes.items():
                target = os.path.join(HERE, str(size), os.path.basename(entry) + ".png")
                rsvg(source, target, design * scale, page=size, offset=(size - design * scale) // 2)
                files.append(target)
    with tempfile.TemporaryDirectory() as work:
        for name, (glyph, colour) in ARCHIVES.items():
            for size in ARCHIVE_SIZES:
                svg = os.path.join(work, f"{name}-{size}.svg")
                with open(svg, "w", encoding="utf-8") as f:
                    f.write(archive_svg(glyph, colour, size))
                target = os.path.join(HERE, str(size), name + ".png")
                rsvg(svg, target, size)
                files.append(target)
        for name, replacements in MESSAGES.items():
            svg = os.path.join(work, name + ".svg")
            with open(svg, "w", encoding="utf-8") as f:
                f.write(svg_body(os.path.join(THEME, "status", "64", name + ".svg"), replacements))
            for size in MESSAGE_SIZES:
                target = os.path.join(HERE, str(size), name + ".png")
                rsvg(svg, target, size)
                files.append(target)
    for path in sorted(files, key=lambda p: (int(os.path.basename(os.path.dirname(p))), os.path.basename(p))):
        print(f"    <file>icons/{os.path.relpath(path, HERE)}</file>")


if __name__ == "__main__":
    main()
