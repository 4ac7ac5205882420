#!/usr/bin/python3
"""Makes the icons the program ships in shipped/img: one GIF for each of the
twelve default categories and the fully transparent dscnone.gif, which the
page shows for a collection that a no-collection period stops.

    scripts/make-category-icons.py [--sheet contact.png] [img-folder]

Each icon is a glyph of the Noto Color Emoji font (Debian's
fonts-noto-color-emoji) on a small rounded badge whose colour tells the
categories apart, 42 x 40 pixels, the size the page draws icons at. Needs
Pillow (Debian's python3-pil) and runs with Debian's own python3.

GIF keeps one fully transparent palette entry and no partial transparency,
so the badge is drawn four times larger, scaled down smoothly, and its
anti-aliased rim is blended onto white, the page's background; only the
pixels outside the rim stay transparent.
"""

import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
FONT = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"
FONT_SIZE = 109  # the only size of the font's colour bitmaps

WIDTH, HEIGHT = 42, 40
SCALE = 4  # drawing scale of the badge
RADIUS = 9  # corner radius, in icon pixels
RIM = 2  # width of the badge's outline, in icon pixels
GLYPH_BOX = (34, 32)  # room for the glyph inside the badge
# Alpha at and above which a rim pixel is kept (blended onto white).
KEEP_ALPHA = 96
TRANSPARENT = 255  # the palette index of the transparent colour
BACKGROUND = (255, 255, 255)

NONE_ICON = "dscnone.gif"

# (file, category, glyph, rim colour, fill colour), in the order of the
# default category list.
ICONS = [
    ("moeru.gif", "燃やせるごみ", "\U0001F525", (211, 47, 47), (255, 224, 224)),  # fire
    ("sodai.gif", "粗大ごみ", "\U0001F6CB", (230, 81, 0), (255, 230, 204)),  # couch and lamp
    ("kan.gif", "空きかん", "\U0001F96B", (21, 101, 192), (214, 234, 255)),  # canned food
    ("bin.gif", "空きびん", "\U0001F37E", (255, 160, 0), (255, 243, 196)),  # bottle with popping cork
    ("funen.gif", "不燃廃プラスチック・ビニール", "\U0001FAA3", (121, 85, 72), (239, 228, 222)),  # bucket
    ("koshi.gif", "古紙・古着類", "\U0001F4F0", (123, 31, 162), (240, 222, 248)),  # newspaper
    ("happo.gif", "発泡スチロール・発泡トレイ", "\U0001F371", (0, 151, 167), (210, 244, 248)),  # bento box
    ("pet.gif", "ペットボトル", "\U0001F9F4", (216, 27, 96), (255, 222, 234)),  # lotion bottle
    ("pura.gif", "その他のプラスチック類", "\u267B", (56, 142, 60), (222, 242, 222)),  # recycling symbol
    ("garasu.gif", "ガラス類", "\U0001FA9F", (96, 125, 139), (222, 232, 238)),  # window
    ("gyunyu.gif", "牛乳パック", "\U0001F95B", (40, 53, 147), (176, 190, 240)),  # glass of milk
    ("denchi.gif", "乾電池", "\U0001F50B", (33, 33, 33), (240, 240, 240)),  # battery
]


def glyph_image(font, glyph):
    """The glyph's colour bitmap, cut to its ink."""
    canvas = Image.new("RGBA", (FONT_SIZE * 2, FONT_SIZE * 2), (0, 0, 0, 0))
    ImageDraw.Draw(canvas).text((FONT_SIZE, FONT_SIZE), glyph, font=font, embedded_color=True, anchor="mm")
    box = canvas.getbbox()
    if box is None:
        raise SystemExit(f"make-category-icons: the font has no image for U+{ord(glyph[0]):04X}")
    return canvas.crop(box)


def badge_image(font, glyph, rim, fill):
    """The icon in RGBA at its final size."""
    big = Image.new("RGBA", (WIDTH * SCALE, HEIGHT * SCALE), (0, 0, 0, 0))
    ImageDraw.Draw(big).rounded_rectangle(
        (0, 0, WIDTH * SCALE - 1, HEIGHT * SCALE - 1),
        radius=RADIUS * SCALE,
        fill=fill + (255,),
        outline=rim + (255,),
        width=RIM * SCALE,
    )
    art = glyph_image(font, glyph)
    room_w, room_h = GLYPH_BOX[0] * SCALE, GLYPH_BOX[1] * SCALE
    factor = min(room_w / art.width, room_h / art.height)
    art = art.resize((round(art.width * factor), round(art.height * factor)), Image.LANCZOS)
    big.alpha_composite(art, ((big.width - art.width) // 2, (big.height - art.height) // 2))
    return big.resize((WIDTH, HEIGHT), Image.LANCZOS)


def gif_image(rgba):
    """A palette image: the opaque pixels blended onto white and quantized to
    255 colours, everything else the transparent index."""
    alpha = rgba.getchannel("A")
    flat = Image.new("RGB", rgba.size, BACKGROUND)
    flat.paste(rgba.convert("RGB"), mask=alpha)
    paletted = flat.quantize(colors=TRANSPARENT, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = paletted.getpalette()[: TRANSPARENT * 3]
    palette += [0, 0, 0] * (TRANSPARENT - len(palette) // 3)
    paletted.putpalette(palette + list(BACKGROUND))
    outside = alpha.point(lambda a: 255 if a < KEEP_ALPHA else 0)
    paletted.paste(TRANSPARENT, mask=outside)
    return paletted


def none_image():
    image = Image.new("P", (WIDTH, HEIGHT), 0)
    image.putpalette(list(BACKGROUND) + [0, 0, 0])
    return image


def save_gif(image, path, transparency):
    image.save(path, format="GIF", transparency=transparency, background=transparency, optimize=False)


def contact_sheet(folder, path):
    """The icons on white, twice their size, with a grey cell each."""
    names = [icon[0] for icon in ICONS] + [NONE_ICON]
    cell_w, cell_h = WIDTH * 2 + 12, HEIGHT * 2 + 12
    sheet = Image.new("RGB", (cell_w * 7, cell_h * 2), (200, 200, 200))
    for i, name in enumerate(names):
        icon = Image.open(os.path.join(folder, name)).convert("RGBA")
        icon = icon.resize((WIDTH * 2, HEIGHT * 2), Image.NEAREST)
        x, y = (i % 7) * cell_w + 6, (i // 7) * cell_h + 6
        sheet.paste(BACKGROUND, (x, y, x + WIDTH * 2, y + HEIGHT * 2))
        sheet.paste(icon, (x, y), icon)
    sheet.save(path)


def main():
    parser = argparse.ArgumentParser(description="Makes the shipped icons.")
    parser.add_argument("folder", nargs="?", default=os.path.join(ROOT, "shipped", "img"))
    parser.add_argument("--sheet", help="also write a contact sheet PNG of the icons here")
    args = parser.parse_args()

    font = ImageFont.truetype(FONT, FONT_SIZE)
    os.makedirs(args.folder, exist_ok=True)
    for name, _category, glyph, rim, fill in ICONS:
        save_gif(gif_image(badge_image(font, glyph, rim, fill)), os.path.join(args.folder, name), TRANSPARENT)
    save_gif(none_image(), os.path.join(args.folder, NONE_ICON), 0)
    print(f"{args.folder}: {len(ICONS) + 1} icons")
    if args.sheet:
        contact_sheet(args.folder, args.sheet)
        print(args.sheet)
    return 0


if __name__ == "__main__":
    sys.exit(main())
