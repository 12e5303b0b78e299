// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a game is typed: romaji, or kana by their keys on a JIS keyboard. The
// score books and the history keep a game under it; the game's judge strategy
// for each is the input method of typing/.

enum class InputKind { Romaji, Kana };
