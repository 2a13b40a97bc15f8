#!/usr/bin/env python3
"""Builds the ".SHE" skin files of the skin library from their text sources.

    make_skins.py FIELDS OUTPUT_DIR SOURCE...

FIELDS is skinlib/skin_fields.def (the order of the palette and the metrics). Each SOURCE
(resources/skins/skinNN.txt) becomes OUTPUT_DIR/skinNN.she of exactly the size the source
asks for; the filler section takes up what the contents leave. The file layout is described in
skinlib/SKIN_FORMAT.md; the source layout in resources/skins/README.md.
"""
import configparser
import math
import os
import re
import struct
import sys
import zlib

MAGIC = b".SHE"
VERSION = 1
HEADER_SIZE = 16
ENTRY_SIZE = 12
MAX_NAME = 64
MAX_TEXTURE_SIDE = 256
PLACEMENTS = {"client": 1, "tab.page": 2}

DEFAULT_METRICS = {
    "frame.width": 3,
    "caption.height": 26,
    "caption.font.height": 13,
    "caption.font.weight": 700,
    "caption.align": 0,
    "caption.icon": 1,
    "caption.style": 0,
    "capbutton.width": 24,
    "capbutton.height": 18,
    "capbutton.gap": 2,
    "capbutton.margin": 4,
    "capbutton.radius": 3,
    "window.radius": 0,
    "tab.radius": 3,
    "button.radius": 3,
    "button.style": 0,
    "button.default.width": 2,
}


class SkinError(Exception):
    pass


def load_fields(path):
    """The colour keys and the (key, least, greatest) metrics, in file order."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    colours = re.findall(r'^SKIN_COLOUR\(\w+, "([^"]+)"\)', text, re.M)
    metrics = [(k, int(lo), int(hi)) for k, lo, hi in
               re.findall(r'^SKIN_METRIC\(\w+, "([^"]+)", (\d+), (\d+)\)', text, re.M)]
    if not colours or not metrics:
        raise SkinError(f"{path}: no fields found")
    return colours, metrics


# Colours -------------------------------------------------------------------------------------

def parse_colour(text, where):
    match = re.fullmatch(r"#([0-9A-Fa-f]{6})", text.strip())
    if not match:
        raise SkinError(f"{where}: '{text}' is not a #RRGGBB colour")
    value = int(match.group(1), 16)
    return (value >> 16, (value >> 8) & 255, value & 255)


def mix(a, b, share):
    """a moved toward b by share (0 keeps a, 1 gives b)."""
    return tuple(int(round(x + (y - x) * share)) for x, y in zip(a, b))


def lighten(c, share):
    return mix(c, (255, 255, 255), share)


def darken(c, share):
    return mix(c, (0, 0, 0), share)


def luminance(c):
    return (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]) / 255


def grey(c):
    v = int(round(luminance(c) * 255))
    return (v, v, v)


def contrast(c, dark=(24, 24, 24), light=(255, 255, 255)):
    return dark if luminance(c) > 0.6 else light


def derive_palette(theme):
    """The whole palette from a few theme colours; every entry may be overridden."""
    caption = theme["caption"]
    accent = theme.get("accent", lighten(caption, 0.3))
    surface = theme.get("surface", lighten(caption, 0.85))
    page = theme.get("page", lighten(surface, 0.5))
    text = theme.get("text", contrast(surface))
    caption_text = theme.get("caption.text", contrast(caption))
    faded = mix(lighten(caption, 0.45), grey(caption), 0.6)
    dark = luminance(surface) < 0.45
    disabled = mix(surface, grey(surface), 0.4 if dark else 0.6)
    p = {
        "frame.border": darken(caption, 0.45),
        "frame.face": darken(caption, 0.08),
        "caption.top": lighten(caption, 0.22),
        "caption.bottom": darken(caption, 0.1),
        "caption.text": caption_text,
        "caption.inactive.top": lighten(faded, 0.15),
        "caption.inactive.bottom": faded,
        "caption.inactive.text": mix(caption_text, faded, 0.45),
        "capbutton.hover": lighten(caption, 0.3),
        "capbutton.pressed": darken(caption, 0.3),
        "capbutton.glyph": caption_text,
        "capbutton.close.hover": (224, 67, 67),
        "capbutton.close.pressed": (168, 40, 40),
        "client.background": surface,
        "tab.face": lighten(surface, 0.08) if dark else mix(surface, caption, 0.14),
        "tab.hover": mix(page, accent, 0.3),
        "tab.selected": page,
        "tab.border": lighten(surface, 0.3) if dark else darken(mix(surface, caption, 0.5), 0.15),
        "tab.text": text,
        "tab.selected.text": text,
        "tab.page": page,
        "button.top": lighten(surface, 0.18) if dark else lighten(surface, 0.6),
        "button.bottom": darken(surface, 0.1) if dark else darken(surface, 0.08),
        "button.border": lighten(surface, 0.3) if dark else darken(mix(surface, caption, 0.45), 0.2),
        "button.text": text,
        "button.hover.top": lighten(accent, 0.2 if dark else 0.6),
        "button.hover.bottom": accent if dark else lighten(accent, 0.25),
        "button.hover.border": darken(accent, 0.25),
        "button.hover.text": contrast(accent) if dark else contrast(lighten(accent, 0.4)),
        "button.pressed.top": darken(accent, 0.2),
        "button.pressed.bottom": lighten(accent, 0.05),
        "button.pressed.border": darken(accent, 0.45),
        "button.pressed.text": contrast(accent),
        "button.disabled.face": disabled,
        "button.disabled.border": mix(disabled, (128, 128, 128), 0.4),
        "button.disabled.text": mix(disabled, (150, 150, 150) if dark else (110, 110, 110), 0.7),
        "button.focus": lighten(accent, 0.3) if dark else darken(accent, 0.35),
    }
    return p


# Textures ------------------------------------------------------------------------------------

class Lcg:
    """A small deterministic generator: the same skin bytes on every machine."""

    def __init__(self, seed):
        self.state = (seed * 2654435761 + 12345) & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return (self.state >> 8) / float(1 << 24)


def pattern_values(pattern, width, height, seed, period):
    """Pattern strengths in [0, 1], row by row; every pattern tiles seamlessly."""
    rng = Lcg(seed)
    tau = 2 * math.pi
    if pattern == "noise":
        return [rng.next() for _ in range(width * height)]
    if pattern == "brushed":
        rows = [rng.next() for _ in range(height)]
        return [0.7 * rows[y] + 0.3 * rng.next() for y in range(height) for _ in range(width)]
    if pattern == "linen":
        rows = [rng.next() for _ in range(height)]
        cols = [rng.next() for _ in range(width)]
        return [(rows[y] + cols[x]) / 2 for y in range(height) for x in range(width)]
    if pattern == "silk":
        return [0.5 + 0.5 * math.sin(tau * (2 * x / width + 0.35 * math.sin(tau * y / height)))
                for y in range(height) for x in range(width)]
    if pattern == "waves":
        return [0.5 + 0.5 * math.sin(tau * (3 * y / height + 0.15 * math.sin(tau * x / width)))
                for y in range(height) for x in range(width)]
    if pattern in ("stripes", "checker", "dots"):
        if width % period or height % period:
            raise SkinError(f"texture period {period} must divide {width}x{height}")
        half = period / 2
        values = []
        for y in range(height):
            for x in range(width):
                if pattern == "stripes":
                    values.append(1.0 if (x + y) % period < half else 0.0)
                elif pattern == "checker":
                    values.append(float((x // period + y // period) % 2))
                else:
                    dx, dy = x % period - half + 0.5, y % period - half + 0.5
                    values.append(1.0 if dx * dx + dy * dy <= (period / 4) ** 2 else 0.0)
        return values
    raise SkinError(f"unknown texture pattern '{pattern}'")


def build_texture(section, palette, where):
    width, height = section.getint("width"), section.getint("height")
    if not (1 <= width <= MAX_TEXTURE_SIDE and 1 <= height <= MAX_TEXTURE_SIDE):
        raise SkinError(f"{where}: texture size {width}x{height} out of range")
    base = parse_colour(section["base"], where) if "base" in section else palette[
        "client.background"]
    ink = parse_colour(section["ink"], where)
    strength = section.getfloat("strength", 1.0)
    placement = 0
    for name in section.get("placement", "client").split(","):
        name = name.strip()
        if name not in PLACEMENTS:
            raise SkinError(f"{where}: unknown texture placement '{name}'")
        placement |= PLACEMENTS[name]
    values = pattern_values(section["pattern"], width, height, section.getint("seed", 1),
                            section.getint("period", 8))
    pixels = bytearray()
    for v in values:
        pixels.extend(mix(base, ink, v * strength))
    return width, height, placement, bytes(pixels)


# Sources -------------------------------------------------------------------------------------

def load_skin(path, fields):
    """Reads one source: name, size, palette (in field order), metrics, texture or None."""
    colour_keys, metric_fields = fields
    source = configparser.ConfigParser(interpolation=None)
    with open(path, encoding="utf-8") as f:
        source.read_file(f)
    where = os.path.basename(path)
    for required in ("skin", "theme"):
        if required not in source:
            raise SkinError(f"{where}: section [{required}] missing")
    skin = source["skin"]
    name = skin.get("name", "").strip()
    encoded = name.encode("utf-8")
    if not 1 <= len(encoded) <= MAX_NAME:
        raise SkinError(f"{where}: the name must have 1 to {MAX_NAME} bytes")

    theme = {k: parse_colour(v, where) for k, v in source["theme"].items()}
    if "caption" not in theme:
        raise SkinError(f"{where}: [theme] needs a caption colour")
    palette = derive_palette(theme)
    for key, value in (source["colours"].items() if "colours" in source else []):
        if key not in palette:
            raise SkinError(f"{where}: unknown colour '{key}'")
        palette[key] = parse_colour(value, where)

    metrics = dict(DEFAULT_METRICS)
    for key, value in (source["metrics"].items() if "metrics" in source else []):
        if key not in metrics:
            raise SkinError(f"{where}: unknown metric '{key}'")
        metrics[key] = int(value)
    for key, least, greatest in metric_fields:
        if not least <= metrics[key] <= greatest:
            raise SkinError(f"{where}: {key} = {metrics[key]} is outside {least}..{greatest}")
    if metrics["capbutton.height"] > metrics["caption.height"]:
        raise SkinError(f"{where}: caption buttons are taller than the caption")

    texture = build_texture(source["texture"], palette, where) if "texture" in source else None
    return {
        "name": encoded,
        "size": skin.getint("size"),
        "palette": palette,
        "colours": [palette[k] for k in colour_keys],
        "metrics": [metrics[k] for k, _, _ in metric_fields],
        "texture": texture,
    }


def encode_skin(skin):
    """The skin file, padded with the filler section to exactly skin['size'] bytes."""
    colours, metrics = skin["colours"], skin["metrics"]
    sections = [
        (b"NAME", skin["name"]),
        (b"PALT", struct.pack("<HH", len(colours), 0) +
         b"".join(struct.pack("<BBBB", *c, 0) for c in colours)),
        (b"METR", struct.pack("<HH", len(metrics), 0) +
         b"".join(struct.pack("<H", m) for m in metrics)),
    ]
    if skin["texture"]:
        width, height, placement, pixels = skin["texture"]
        sections.append((b"TEXR", struct.pack("<HHHH", width, height, placement, 0) + pixels))
    count = len(sections) + 1  # and the filler
    used = HEADER_SIZE + count * ENTRY_SIZE + sum(len(body) for _, body in sections)
    if used > skin["size"]:
        raise SkinError(f"the contents need {used} bytes, more than the size {skin['size']}")
    sections.append((b"FILL", bytes(skin["size"] - used)))

    table, bodies = b"", b""
    offset = HEADER_SIZE + count * ENTRY_SIZE
    for tag, body in sections:
        table += struct.pack("<4sII", tag, offset, len(body))
        bodies += body
        offset += len(body)
    block = bytearray(struct.pack("<4sHHII", MAGIC, VERSION, count, skin["size"], 0) + table +
                      bodies)
    struct.pack_into("<I", block, 12, zlib.crc32(block) & 0xFFFFFFFF)
    return bytes(block)


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    fields = load_fields(argv[1])
    out_dir = argv[2]
    os.makedirs(out_dir, exist_ok=True)
    for source in argv[3:]:
        try:
            block = encode_skin(load_skin(source, fields))
        except (SkinError, KeyError, ValueError, configparser.Error) as error:
            print(f"make_skins: {source}: {error}", file=sys.stderr)
            return 1
        stem = os.path.splitext(os.path.basename(source))[0]
        with open(os.path.join(out_dir, stem + ".she"), "wb") as f:
            f.write(block)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
