"""Every skin image of both programs: resource id, name, pixel size, painter.

Strip images hold two looks side by side (at rest, under the mouse), so they
are twice as wide as the button they skin. Ids are fixed by the windows that
load them and must not be renumbered.
"""
from dataclasses import dataclass
from functools import partial
from typing import Callable, Tuple

from . import caption, close_confirm, launcher, wizard
from .icons import emblem, uninstall_emblem


@dataclass(frozen=True)
class Skin:
    id: int
    name: str
    size: Tuple[int, int]
    purpose: str
    draw: Callable

    @property
    def macro(self):
        return "IDP_" + self.name.upper()

    @property
    def file_name(self):
        return f"{self.id}_{self.name}.png"


@dataclass(frozen=True)
class Program:
    executable: str
    folder: str
    header: str
    script: str
    emblem: Callable
    groups: Tuple

    @property
    def icon(self):
        return self.executable + ".ico"

    @property
    def manifest(self):
        return self.executable + ".manifest"

    def skins(self):
        return [skin for _title, group in self.groups for skin in group]


def _window_buttons(prefix, glyph, ids, what):
    looks = ("normal", "hover", "pressed")
    suffixes = ("", "_hover", "_pressed")
    return tuple(Skin(i, prefix + suffix, caption.BUTTON, f"{what}, {look}",
                      partial(caption.window_button, glyph, look))
                 for i, suffix, look in zip(ids, suffixes, looks))


LAUNCHER = (
    Skin(145, "launcher_back", launcher.SIZE,
         "launcher picture; login panel placed at (547, 177), 563x378", launcher.background),
    Skin(135, "launcher_min", (90, 48), "launcher minimize, strip of two 45x48",
         partial(launcher.round_button_strip, "minimize")),
    Skin(130, "launcher_close", (90, 48), "launcher close, strip of two 45x48",
         partial(launcher.round_button_strip, "close")),
    Skin(131, "launcher_link_site", (142, 21), "launcher link 官方网站, strip of two 71x21",
         partial(launcher.link_strip, "官方网站")),
    Skin(134, "launcher_link_topup", (142, 21), "launcher link 账号充值, strip of two 71x21",
         partial(launcher.link_strip, "账号充值")),
    Skin(132, "launcher_link_forum", (142, 21), "launcher link 游戏论坛, strip of two 71x21",
         partial(launcher.link_strip, "游戏论坛")),
    Skin(133, "launcher_link_service", (142, 21), "launcher link 客服中心, strip of two 71x21",
         partial(launcher.link_strip, "客服中心")),
)

CLOSE_CONFIRMATION = (
    Skin(142, "confirm_back", close_confirm.SIZE,
         f"close confirmation picture with the question {close_confirm.QUESTION}",
         close_confirm.background),
    Skin(143, "confirm_yes", close_confirm.BUTTON, "confirmation 确定 button, normal",
         partial(close_confirm.button, "确定", True, False)),
    Skin(146, "confirm_yes_hover", close_confirm.BUTTON,
         "confirmation 确定 button, hover and pressed",
         partial(close_confirm.button, "确定", True, True)),
    Skin(147, "confirm_no", close_confirm.BUTTON, "confirmation 取消 button, normal",
         partial(close_confirm.button, "取消", False, False)),
    Skin(148, "confirm_no_hover", close_confirm.BUTTON,
         "confirmation 取消 button, hover and pressed",
         partial(close_confirm.button, "取消", False, True)),
)

CAPTION_BAR = (
    Skin(217, "caption_back", (1366, 25), "caption bar background, stretched to the width",
         caption.background),
    Skin(137, "caption_icon", (16, 16), "small game icon at the caption's left", partial(emblem, 16)),
    *_window_buttons("caption_close", "close", (209, 210, 152), "caption close"),
    *_window_buttons("caption_max", "maximize", (211, 212, 156), "caption maximize"),
    *_window_buttons("caption_restore", "restore", (215, 216, 158), "caption restore"),
    *_window_buttons("caption_min", "minimize", (213, 214, 157), "caption minimize"),
    *_window_buttons("caption_fullscreen", "fullscreen", (153, 154, 155), "caption full screen"),
    *_window_buttons("caption_tool", "tool", (196, 208, 151), "caption tool menu"),
    Skin(138, "caption_link_service", (82, 22), "caption link 客服, strip of two 41x22",
         partial(caption.link_strip, 41, "客服")),
    Skin(139, "caption_link_forum", (82, 22), "caption link 论坛, strip of two 41x22",
         partial(caption.link_strip, 41, "论坛")),
    Skin(140, "caption_link_site", (82, 22), "caption link 官网, strip of two 41x22",
         partial(caption.link_strip, 41, "官网")),
    Skin(141, "caption_link_topup", (82, 22), "caption link 充值, strip of two 41x22",
         partial(caption.link_strip, 41, "充值")),
    Skin(161, "caption_link_antiaddiction", (128, 22),
         "caption link 防沉迷, strip of two 64x22", partial(caption.link_strip, 64, "防沉迷")),
)

WIZARD = (
    Skin(129, "close", wizard.CLOSE, "wizard close, normal", partial(wizard.close_button, "normal")),
    Skin(2, "close_hover", wizard.CLOSE, "wizard close, hover", partial(wizard.close_button, "hover")),
    Skin(131, "close_pressed", wizard.CLOSE, "wizard close, pressed",
         partial(wizard.close_button, "pressed")),
    Skin(141, "mascot", wizard.MASCOT, "crying mascot", wizard.mascot),
    Skin(142, "bubble", wizard.BUBBLE, f"speech bubble with the plea {wizard.PLEA}",
         wizard.bubble),
    Skin(135, "check_box", wizard.CHECK, "check box, empty", partial(wizard.check_box, False, "rest")),
    Skin(136, "check_hover", wizard.CHECK,
         "check box, ticked and lit: empty box under the mouse, ticked box pressed",
         partial(wizard.check_box, True, "lit")),
    Skin(137, "check_pressed", wizard.CHECK,
         "check box, ticked and dimmed: empty box pressed, ticked box under the mouse",
         partial(wizard.check_box, True, "dim")),
    Skin(143, "check_ticked", wizard.CHECK, "check box, ticked", partial(wizard.check_box, True, "rest")),
    Skin(138, "continue", wizard.BUTTON, "继续卸载 button, normal",
         partial(wizard.button, "继续卸载", False, "normal")),
    Skin(139, "continue_hover", wizard.BUTTON, "继续卸载 button, hover",
         partial(wizard.button, "继续卸载", False, "hover")),
    Skin(140, "continue_pressed", wizard.BUTTON, "继续卸载 button, pressed",
         partial(wizard.button, "继续卸载", False, "pressed")),
    Skin(132, "cancel", wizard.BUTTON, "取消 button, normal",
         partial(wizard.button, "取消", True, "normal")),
    Skin(133, "cancel_hover", wizard.BUTTON, "取消 button, hover",
         partial(wizard.button, "取消", True, "hover")),
    Skin(134, "cancel_pressed", wizard.BUTTON, "取消 button, pressed",
         partial(wizard.button, "取消", True, "pressed")),
    Skin(144, "progress_back", (500, 4), "progress bar groove, stretched", wizard.progress_track),
    Skin(145, "progress_fill", (371, 3), "progress bar fill, revealed from the left",
         wizard.progress_fill),
)

CLIENT = Program("vd", "client", "client_resources.h", "client.rc", emblem, (
    ("Launcher picture and its buttons", LAUNCHER),
    ("Close confirmation", CLOSE_CONFIRMATION),
    ("Caption bar of game mode", CAPTION_BAR),
))

UNINSTALLER = Program("vd_uninstall", "uninstaller", "uninstaller_resources.h", "uninstaller.rc",
                      uninstall_emblem, (("Uninstall wizard", WIZARD),))

PROGRAMS = (CLIENT, UNINSTALLER)
