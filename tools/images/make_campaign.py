#!/usr/bin/env python3
"""Makes a new-user discount campaign for the demo: the three pop-up pictures, named by the MD5 of
their bytes the way the remote configuration names them, and the remote-configuration file that
offers them.

  make_campaign.py --images DIR --zvanta FILE --tryno N [--url-base URL] [--months M] [--hours H]

DIR gets the pictures both under their MD5 names (what a server publishes) and under the names the
module keeps locally (new_user_discount_*.png), so a host can start with them in place.
"""
import argparse
import hashlib
import json
from pathlib import Path

from make_pop_images import encode_png


def background(x, y, width=520, height=360):
    # A warm diagonal gradient with a lighter band where the price sits.
    t = (x / width + y / height) / 2
    r, g, b = int(250 - 40 * t), int(236 - 90 * t), int(214 - 150 * t)
    if 108 <= y < 200 and 70 <= x < 450:
        r, g, b = min(255, r + 20), min(255, g + 20), min(255, b + 20)
    return (r, g, b, 255)


def button_strip(frame_width, height, colours, shape):
    def pixel(x, y):
        frame = x // frame_width
        local_x = x - frame * frame_width
        inside = shape(local_x, y, frame_width, height)
        return (*colours[frame], 255) if inside else (0, 0, 0, 0)
    return pixel


def rounded(x, y, width, height, radius=12):
    dx = max(radius - x, 0, x - (width - 1 - radius))
    dy = max(radius - y, 0, y - (height - 1 - radius))
    return dx * dx + dy * dy <= radius * radius


def cross(x, y, width, height):
    # A round badge with an x cut out of it.
    cx, cy = (width - 1) / 2, (height - 1) / 2
    if (x - cx) ** 2 + (y - cy) ** 2 > (width / 2) ** 2:
        return False
    return not (abs((x - cx) - (y - cy)) < 1.5 or abs((x - cx) + (y - cy)) < 1.5) or abs(x - cx) > 6


PICTURES = {
    "bg_url": ("new_user_discount_background.png", 520, 360, background),
    "close_btn_url": ("new_user_discount_close_btn.png", 72, 24,
                      button_strip(24, 24, [(120, 120, 120), (90, 90, 90), (60, 60, 60)], cross)),
    "confirm_btn_url": ("new_user_discount_confirm_btn.png", 840, 68,
                        button_strip(280, 68, [(255, 90, 40), (255, 120, 70), (220, 70, 30)], rounded)),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--images", required=True)
    parser.add_argument("--zvanta", required=True)
    parser.add_argument("--tryno", type=int, required=True)
    parser.add_argument("--url-base", default="http://127.0.0.1:9/campaign/")
    parser.add_argument("--months", type=int, default=12)
    parser.add_argument("--hours", type=int, default=2)
    parser.add_argument("--qa-uuid", help="a machine uuid for the item's qa_uuids")
    args = parser.parse_args()
    out = Path(args.images)
    out.mkdir(parents=True, exist_ok=True)
    item = {"pop_version": "1", "new_install_days": "1", "update_vanta_minutes": "0", "count_down_enable": "1",
            "count_down_hours": str(args.hours), "count_down_style": "1",
            "recommand_package_months": str(args.months)}
    if args.qa_uuid:
        item["qa_uuids"] = args.qa_uuid
    for field, (local_name, width, height, pixel) in PICTURES.items():
        data = encode_png(width, height, pixel)
        digest = hashlib.md5(data).hexdigest()
        (out / f"{digest}.png").write_bytes(data)
        (out / local_name).write_bytes(data)
        item[field] = f"{args.url_base}{digest}.png"
    name = f"new_user_discount_{args.tryno}"
    document = {"start": True, "supports_relative_reg_path": True, "items": {name: item}, "groups": {name: 2}}
    Path(args.zvanta).write_text(json.dumps(document, indent=1), encoding="utf-8")
    print(json.dumps(item))


if __name__ == "__main__":
    main()
