"""End-to-end checks of the competitors' names: typed in, on the board, heard on the console."""

import time

import desktop as d

LIGHT = (0xE0, 0xE0, 0xE0)  # Aka's name on red
BLACK = (0, 0, 0)  # Shiro's name on grey


def set_box(node, text):
    d.click_node(node)
    d.key("ctrl+a", "BackSpace")
    d.run("xdotool", "type", "--delay", "30", text)


def names_on_the_board(op):
    """With the board open at 1920 x 1080, plain: both names on their sides' top line."""
    scale = 1.8 / 15
    # The stretches of the top line between each heading and the field-number box (twips).
    aka = (int(2700 * scale), int(100 * scale), int(3900 * scale), int(650 * scale))
    shiro = (int(9300 * scale), int(100 * scale), int(3000 * scale), int(650 * scale))
    x0, y0, _, _ = op.audience()

    def on_board(rect):
        return (x0 + rect[0], y0 + rect[1], rect[2], rect[3])

    before = op.shot("names-before")
    assert before.count(on_board(aka), LIGHT) == 0 and before.count(on_board(shiro), BLACK) == 0
    d.key("ctrl+shift+c")
    set_box(op.ui.find("text", "Aka name"), "Taro Yamada")
    set_box(op.ui.find("text", "Aka club or country"), "JPN")
    set_box(op.ui.find("text", "Shiro name"), "Lena Berg")
    op.press("OK")
    time.sleep(0.5)
    after = op.shot("names-shown")
    assert after.count(on_board(aka), LIGHT) > 50, "Aka's name is not on the board"
    assert after.count(on_board(shiro), BLACK) > 50, "Shiro's name is not on the board"
    op.ui.find("label", "Aka, Taro Yamada (JPN)")
    op.ui.find("label", "Shiro, Lena Berg")
    # Cleared again: the board as before, for the checks that follow.
    d.key("ctrl+shift+c")
    op.press("Clear")
    op.press("OK")
    time.sleep(0.5)
    cleared = op.shot("names-cleared")
    assert cleared.count(on_board(aka), LIGHT) == 0 and cleared.count(on_board(shiro), BLACK) == 0
