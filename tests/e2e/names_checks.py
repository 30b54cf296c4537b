"""End-to-end check of the competitors' names: typed in, on the board, heard on the console."""

import time

import desktop as d


def names_on_the_board(op):
    """With the board open at 1920 x 1080, plain: each name on its side's top line, in its colours."""
    x0, y0, _, _ = op.audience()
    line = [(x0 + int(tx * 0.12), y0 + 12, int(3000 * 0.12), 66) for tx in (2700, 9300)]
    colours = [d.GREY, (0, 0, 0)]  # Aka's on red, Shiro's on grey
    d.key("ctrl+shift+c")
    for box, text in (("Aka name", "Taro Yamada"), ("Aka club or country", "JPN"), ("Shiro name", "Lena Berg")):
        d.click_node(op.ui.find("text", box))
        d.type_text(text)
    op.press("OK")
    time.sleep(0.5)
    shot = op.shot("names-shown")
    assert all(shot.count(r, c) > 50 for r, c in zip(line, colours)), "a name is not on the board"
    op.ui.find("label", "Aka, Taro Yamada (JPN)")
    d.key("ctrl+shift+c")
    op.press("Clear")
    op.press("OK")
    time.sleep(0.5)
    shot = op.shot("names-cleared")
    assert not any(shot.count(r, c) for r, c in zip(line, colours)), "a name stayed on the board"
