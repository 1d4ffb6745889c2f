#!/usr/bin/python3
# Zarn Game in a browser: one picture as lossless WebP, at the encoder's most thorough, checked
# to decode to every pixel of the BMP it comes from.
# webp.py PICTURE.bmp PICTURE.webp (Debian's python3, with its Pillow)
import sys

from PIL import Image

bmp, webp = sys.argv[1:]
with Image.open(bmp) as picture:
    pixels = picture.convert("RGB")
pixels.save(webp, lossless=True, quality=100, method=6, exact=True)
with Image.open(webp) as written:
    if written.convert("RGB").tobytes() != pixels.tobytes():
        sys.exit(f"{webp} does not hold the pixels of {bmp}")
