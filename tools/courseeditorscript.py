#!/usr/bin/env python3
# Writes the tetherix-autoplay script that builds one shipped course's map in the game's own
# editor: the editor camera looks straight down from a chosen height, every block is placed with
# "+ Add", "Block" and a click on the floor (or, out of the placing reach, in the air), then
# selected and stretched with the scale tool's handles (snapping on: quarter units), and the map
# is saved under its name. Usage: editorscript.py COURSE > SCRIPT (see buildcourses.sh);
# editorscript.py --checksum MAP prints the FNV-1a 64 of the map's bytes.
import sys

# Window pixels (y downwards) of the editor's top bar and the save browser at 1280 x 720.
ADD, BLOCK, SAVE = (64, 58), (64, 108), (210, 16)
NAME_FIELD, SAVE_CONFIRM = (600, 608), (944, 656)
CENTRE = (640, 360)
HANDLE = 70  # the scale handles lie this many pixels from the selection's centre

out = []


def cmd(*lines):
    out.extend(lines)


def click(x, y, settle=5):
    cmd(f"mouse {x} {y}", f"wait {settle}", "mousedown left", "wait 1", "mouseup left", "wait 3")


def drag(x, y, dx, dy, steps=4):
    cmd(f"mouse {x} {y}", "wait 5", "mousedown left", "wait 2")
    for i in range(steps):
        cmd(f"mouseby {dx // steps + (dx % steps if i == 0 else 0)} {dy // steps + (dy % steps if i == 0 else 0)}", "wait 2")
    cmd("wait 2", "mouseup left", "wait 5")


def key(name):
    cmd(f"keydown {name}", "wait 1", f"keyup {name}", "wait 3")


def fly(key_name, ticks):
    cmd(f"keydown {key_name}", f"wait {ticks}", f"keyup {key_name}", "wait 5")


# The camera: it starts at (0, 0, 2); turned to look along +y, then straight down, so that the
# window's right is +x and its top +y, and D flies along +x, S up and W down, 0.4 units a tick.
FLY = 0.4
camera = {"x": 0.0, "z": 2.0}
# Pixels a unit covers at `distance` from the camera (110 degrees of vertical view over 720).
def pixels(units, distance):
    return round(units * 252.0 / distance)


def open_editor_top_down():
    cmd("wait 20")
    click(160, 448, 1)
    cmd("wait 20")
    cmd("mouse 640 360", "wait 1", "mousedown right", "wait 3", "mouseby -180 0", "wait 2")
    for _ in range(5):
        cmd("mouseby 0 40", "wait 2")
    cmd("mouseup right", "wait 5")
    key("G")       # snapping on
    key("Tab")     # rotate tool
    key("Tab")     # scale tool


def move_camera(x, z):
    """Flies the camera to x (along +x) and height z, in whole ticks."""
    ticks = round((x - camera["x"]) / FLY)
    if ticks:
        fly("D" if ticks > 0 else "A", abs(ticks))
    camera["x"] += ticks * FLY
    ticks = round((z - camera["z"]) / FLY)
    if ticks:
        fly("S" if ticks > 0 else "W", abs(ticks))
    camera["z"] += ticks * FLY


def pieces(units, distance, most=150):
    """`units` split into whole-unit drags of at most `most` pixels each."""
    step = max(1, int(most * distance / 252.0))
    while units > 0:
        yield min(step, units)
        units -= step


def block(distance, sx=0.0, sy=0.0, dy=0):
    """A block under the camera (`dy` pixels up the window: +y), found `distance` units below
    it (on the floor, on a block, or in the air at the placing reach of 10), its x scale grown by
    `sx` units and its y scale by `sy` with the scale handles."""
    x, y = CENTRE[0], CENTRE[1] - dy
    click(*ADD, 2)
    click(*BLOCK, 2)
    click(x, y)
    click(x, y)  # select it
    # Long stretches go in several drags, each within the 3-D view (the handles keep their place).
    for units in pieces(sx, distance):
        drag(x + HANDLE, y, pixels(units, distance), 0)
    for units in pieces(sy, distance):
        drag(x, y - HANDLE, 0, -pixels(units, distance))
    click(1240, 700)  # empty space: the selection ends


def save(name):
    click(*SAVE, 2)
    click(*NAME_FIELD, 2)
    cmd(f"text {name}", "wait 1", "keydown Return", "wait 1", "keyup Return", "wait 3")
    click(*SAVE_CONFIRM, 2)
    cmd("wait 10")


def wall(x, height, width, depth=1.0, camera_height=8.0):
    """A wall (or, `depth` units deep along the course, a platform) at x, `height` high and `width`
    units wide across the course: `height` / 0.5 blocks stacked, each half in the one below."""
    move_camera(x, camera_height)
    for level in range(round(height / 0.5)):
        block(camera_height - 0.5 * level, sx=depth - 1, sy=width - 1)


def beam(x, z, length_x=0.0, width_y=0.0):
    """A block in the air at height z above x (placed at the placing reach below the camera)."""
    move_camera(x, z + 10.0)
    block(10.0, sx=length_x, sy=width_y)


def first_steps():
    """Running and jumping: a hurdle, a platform 1.5 high to jump onto, across a gap of 4 a higher
    platform of 2.5, then down to the finish."""
    wall(5.0, 0.5, 10.0)
    wall(13.0, 1.5, 6.0, depth=6.0)
    wall(23.0, 2.5, 6.0, depth=6.0)


def swing():
    """A swing: a beam high over the course to hang the rope on, before a wall 4 high, more than a
    jump, with a gate in the air above it."""
    beam(12.0, 12.0, 4.0, 10.0)
    wall(18.5, 4.0, 30.0)


def reel():
    """Reeling: a block high over the course to reel up to a high gate; past it a ledge 4 high,
    more than a jump, under a roof: it is reached from the rope, reeled out, under the roof's edge."""
    beam(16.0, 18.0, 4.0, 4.0)
    wall(20.0, 4.0, 6.0, depth=6.0)
    beam(20.0, 8.0, 5.0, 5.0)


COURSES = {"1-first-steps": first_steps, "2-swing": swing, "3-reel": reel}

def checksum(path):
    """FNV-1a 64 of the file's bytes, as a course records it."""
    value = 0xcbf29ce484222325
    with open(path, "rb") as f:
        for byte in f.read():
            value = ((value ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return f"{value:016x}"


if __name__ == "__main__":
    if sys.argv[1] == "--checksum":
        print(checksum(sys.argv[2]))
        sys.exit(0)
    name = sys.argv[1]
    cmd(f"# Builds data/courses/{name}.rmap in the editor (written by tools/courseeditorscript.py).")
    open_editor_top_down()
    COURSES[name]()
    cmd(f"screenshot build/shots/course-{name}-editor.png")
    save(name)
    cmd("quit")
    print("\n".join(out))
