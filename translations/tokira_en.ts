<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>StartUp</name>
    <message>
        <source>Usage: tokira [--help | --version]
疾鍵 (tokira): a Japanese typing-practice game.

  -h, --help  show this text and exit
  --version   show the version and the licence and exit

Files: the program&apos;s own folder when it holds tokira.qls and can be written;
otherwise ~/.local/share/疾鍵/, filled from the installed data on first start.
Options: ~/.config/疾鍵/疾鍵.ini.
In the game, ヘルプ → 遊び方 tells how to play.
</source>
        <translation>Usage: tokira [--help | --version]
疾鍵 (tokira): a Japanese typing-practice game.

  -h, --help  show this text and exit
  --version   show the version and the licence and exit

Files: the program&apos;s own folder when it holds tokira.qls and can be written;
otherwise ~/.local/share/疾鍵/, filled from the installed data on first start.
Options: ~/.config/疾鍵/疾鍵.ini.
In the game, Help → How to play tells how to play.
</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
</context>
</TS>
