#!/usr/bin/env python3
"""Renders the demo product's slide pictures: every artboard of slides/ with
each language's texts, at the four DPI scales, as JPEG files in
language/<LANGID>/slidesHome/<SCALE>/, where the installer's slide show looks.

The slide show is as wide as the status panel and 284 pixels high at 96 DPI
(660 x 284), so the pictures are that size times 1.00, 1.25, 1.50 and 2.00.
The output depends only on the artboards, the texts below and the Debian
packages librsvg2-bin, imagemagick and fonts-liberation: the same inputs give
the same bytes.

    demo/language/make_slides.py        (re)writes every slide picture
"""
import os
import shutil
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape

here = os.path.dirname(os.path.abspath(__file__))
artboards = os.path.join(here, 'slides')

WIDTH, HEIGHT = 660, 284
SCALES = (100, 125, 150, 200)

# Per language and artboard: the title, two lines of text and (for the search
# slide) the text in the search box.
TEXTS = {
    1033: {
        '01-organise': ('Every photo in its place', 'Vimzee Home sorts your pictures by date,',
                        'place and event, all by itself.'),
        '02-find': ('Find any picture in seconds', 'Search by the people, places and things',
                    'in your photos.', 'beach, summer, grandma'),
        '03-share': ('Share albums with family', 'Send an album with one click: everyone',
                     'sees the same photos, on any device.'),
    },
    1031: {
        '01-organise': ('Jedes Foto an seinem Platz', 'Vimzee Home sortiert Ihre Bilder ganz',
                        'von selbst nach Datum, Ort und Anlass.'),
        '02-find': ('Jedes Bild in Sekunden finden', 'Suchen Sie nach Personen, Orten und',
                    'Dingen auf Ihren Fotos.', 'Strand, Sommer, Oma'),
        '03-share': ('Alben mit der Familie teilen', 'Ein Album mit einem Klick senden: alle',
                     'sehen dieselben Fotos, auf jedem Gerät.'),
    },
    1036: {
        '01-organise': ('Chaque photo à sa place', 'Vimzee Home classe vos images par date,',
                        'lieu et événement, tout seul.'),
        '02-find': ('Tout retrouver en un instant', 'Cherchez par personnes, lieux et',
                    'objets présents sur vos photos.', 'plage, été, mamie'),
        '03-share': ('Partagez vos albums en famille', 'Envoyez un album en un clic : chacun',
                     'voit les mêmes photos, sur tout appareil.'),
    },
}


def fill(template, texts):
    names = ('@TITLE@', '@LINE1@', '@LINE2@', '@SEARCH@')
    for name, text in zip(names, texts):
        template = template.replace(name, escape(text))
    return template


def render(svg_path, scale, jpg_path, work):
    width, height = WIDTH * scale // 100, HEIGHT * scale // 100
    png = os.path.join(work, 'slide.png')
    subprocess.run(['rsvg-convert', '-w', str(width), '-h', str(height), svg_path, '-o', png],
                   check=True)
    # -strip keeps the file free of time stamps and profiles.
    subprocess.run(['convert', png, '-strip', '-sampling-factor', '4:2:0', '-quality', '88',
                    jpg_path], check=True)


def main():
    names = sorted(n[:-4] for n in os.listdir(artboards) if n.endswith('.svg'))
    with tempfile.TemporaryDirectory() as work:
        for language_id, texts in TEXTS.items():
            missing = set(names) ^ set(texts)
            if missing:
                sys.exit('make_slides: %d: texts and artboards differ: %s' %
                         (language_id, ', '.join(sorted(missing))))
            slides = os.path.join(here, str(language_id), 'slidesHome')
            shutil.rmtree(slides, ignore_errors=True)
            for name in names:
                with open(os.path.join(artboards, name + '.svg'), encoding='utf-8') as f:
                    svg = fill(f.read(), texts[name])
                svg_path = os.path.join(work, name + '.svg')
                with open(svg_path, 'w', encoding='utf-8') as f:
                    f.write(svg)
                for scale in SCALES:
                    folder = os.path.join(slides, str(scale))
                    os.makedirs(folder, exist_ok=True)
                    render(svg_path, scale, os.path.join(folder, name + '.jpg'), work)


main()
