<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Functions</name>
    <message>
        <source>フォルダの場所に、行き先のないリンクがあります。</source>
        <translation>A link that leads nowhere stands where the folder should be.</translation>
    </message>
    <message>
        <source>フォルダを作れませんでした。</source>
        <translation>The folder could not be made.</translation>
    </message>
    <message>
        <source>フォルダの場所に、同じ名前のファイルがあります。</source>
        <translation>A file of the same name stands where the folder should be.</translation>
    </message>
    <message>
        <source>フォルダに書き込む権限がありません。</source>
        <translation>You have no permission to write in the folder.</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>ペースの速度[type/sec]を入力してください</source>
        <translation>Enter the pace&apos;s speed [type/sec].</translation>
    </message>
    <message>
        <source>指定の速度</source>
        <translation>Set speed</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。</source>
        <translation>The settings could not be saved.</translation>
    </message>
    <message>
        <source>疾鍵 開発チーム&#x3000;ライセンス GPL-3.0-or-later</source>
        <translation>疾鍵 development team, licence GPL-3.0-or-later</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>Reload</name>
    <message>
        <source>すべて完了しました</source>
        <translation>All done</translation>
    </message>
    <message>
        <source>疾鍵 - 単語辞書[%1] コピペ辞書[%2]</source>
        <translation>疾鍵 - Word list[%1] Copy-paste[%2]</translation>
    </message>
</context>
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
    <message>
        <source>ランタイムが不足しているかもしれません</source>
        <translation>Some runtime files may be missing.</translation>
    </message>
    <message>
        <source>もしインストーラー付きが用意されているならば、ダウンロードし、インストールしてください</source>
        <translation>If a version with an installer is offered, download and install it.</translation>
    </message>
    <message>
        <source>データを保存するフォルダ「%1」が使えません。</source>
        <translation>The data folder &quot;%1&quot; cannot be used.</translation>
    </message>
    <message>
        <source>疾鍵を終了します。</source>
        <translation>疾鍵 will now close.</translation>
    </message>
    <message>
        <source>疾鍵はすでに起動しています。</source>
        <translation>疾鍵 is already running.</translation>
    </message>
    <message>
        <source>同じフォルダ「%1」のデータを使う疾鍵は、一度に一つしか起動できません。</source>
        <translation>Only one 疾鍵 at a time can use the data in the folder &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>aplMain</name>
    <message>
        <source>ローマ字表示を太字にする(&amp;B)</source>
        <translation>&amp;Bold romaji</translation>
    </message>
    <message>
        <source>ローマ字を大きくする(&amp;L)</source>
        <translation>&amp;Large romaji</translation>
    </message>
    <message>
        <source>ミスタイプを表示する(&amp;M)</source>
        <translation>Show &amp;mistypes</translation>
    </message>
    <message>
        <source>ローマ字は表示しない(&amp;V)</source>
        <translation>Hi&amp;de romaji</translation>
    </message>
    <message>
        <source>英語キーボードで判定(&amp;E)</source>
        <translation>Judge on an &amp;English keyboard</translation>
    </message>
    <message>
        <source>次の行を表示(&amp;N)</source>
        <translation>Show &amp;next line</translation>
    </message>
    <message>
        <source>キー配列を自動で判定(&amp;A)</source>
        <translation>&amp;Auto-detect keyboard layout</translation>
    </message>
    <message>
        <source>いろいろなローマ字を受け付ける(&amp;F)</source>
        <translation>&amp;Flexible romaji spelling</translation>
    </message>
    <message>
        <source>効果音を鳴らす(&amp;O)</source>
        <translation>S&amp;ound effects</translation>
    </message>
    <message>
        <source>かな入力(&amp;J)</source>
        <translation>&amp;Kana input</translation>
    </message>
    <message>
        <source>キーボードを表示(&amp;V)</source>
        <translation>Show ke&amp;yboard</translation>
    </message>
    <message>
        <source>ペースを表示(&amp;P)</source>
        <translation>Show &amp;pace</translation>
    </message>
</context>
<context>
    <name>frmHiScore</name>
    <message>
        <source>ハイスコア</source>
        <translation>High scores</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Rank</translation>
    </message>
</context>
<context>
    <name>frmHowTo</name>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>はじめる： F2 を押し、「出題」の下に出るローマ字をそのまま打つ（Esc でやめる）</source>
        <translation>To start: press F2 and type the romaji shown under &quot;Question&quot; just as it is (Esc stops).</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&lt;h3&gt;ゲームをはじめる&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;F2&lt;/b&gt; スピードアタック：120秒でできるだけ多くのキーを正しく打ちます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;F3&lt;/b&gt; タイムアタック：正しいキー500回を打ち終えるまでの時間を競います。&lt;/li&gt;&lt;li&gt;ゲーム → 苦手キー練習：よく間違える文字を含む単語で、2分間スピードアタックと同じように打ちます。&lt;/li&gt;&lt;li&gt;ゲーム → コピペアタック → 題名：文章をまるごと1行ずつ打ちます。&lt;/li&gt;&lt;li&gt;ゲーム → インターネットランキング → 題名：打ち終えたら、時間をランキングサーバーに送れます（送り先は 設定 → ランキングサーバー）。&lt;/li&gt;&lt;li&gt;&lt;b&gt;F4&lt;/b&gt; ネット対戦：片方が「サーバーを立てる」、もう片方が「サーバーに接続する」を選びます。打つほど A.P. が貯まり、&lt;b&gt;Enter&lt;/b&gt; で相手を攻撃します。&lt;/li&gt;&lt;li&gt;ゲーム → 基礎練習：F と J から始めて、キーの位置をひとつずつ覚えるレッスンです。正確率95%以上で目標の速度を出すと、次のレッスンが開きます。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;Starting a game&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;F2&lt;/b&gt; Speed attack: type as many keys right as you can in 120 s.&lt;/li&gt;&lt;li&gt;&lt;b&gt;F3&lt;/b&gt; Time attack: race the clock to 500 right keys.&lt;/li&gt;&lt;li&gt;Game → Weak-key drill: words with the characters you often miss, typed for 2 minutes as in Speed attack.&lt;/li&gt;&lt;li&gt;Game → Copy-paste attack → a title: type a whole text, line by line.&lt;/li&gt;&lt;li&gt;Game → Internet ranking → a title: when you finish, you can send your time to the ranking server (which one: Settings → Ranking server).&lt;/li&gt;&lt;li&gt;&lt;b&gt;F4&lt;/b&gt; Net battle: one player chooses &quot;Host&quot;, the other &quot;Connect&quot;. Typing charges A.P. (attack points); &lt;b&gt;Enter&lt;/b&gt; attacks your opponent.&lt;/li&gt;&lt;li&gt;Game → Basic lessons: learn the keys one by one, starting from F and J. Reach the target speed with 95% accuracy or better and the next lesson opens.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;ゲーム中のキー&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;時計は最初のキーを押したときに動き始めます。ゆっくり問題を読んでから打ちはじめてかまいません。&lt;/li&gt;&lt;li&gt;&lt;b&gt;Esc&lt;/b&gt; ゲームをやめます（記録は残りません）。&lt;/li&gt;&lt;li&gt;&lt;b&gt;Tab&lt;/b&gt; 同じゲームを最初からやり直します。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;Keys during a game&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;The clock starts at your first key: take your time to read the question before you type.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Esc&lt;/b&gt; stops the game (nothing is recorded).&lt;/li&gt;&lt;li&gt;&lt;b&gt;Tab&lt;/b&gt; starts the same game again from the beginning.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;画面の数字&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;経過時間[sec]：最初のキーからの秒数。&lt;/li&gt;&lt;li&gt;残り時間[sec]：スピードアタックの残りの秒数。タイムアタックでは残り文字数、コピペアタックとランキングでは残り行数に変わります。&lt;/li&gt;&lt;li&gt;速度[type/sec]：1秒あたりに正しく打ったキーの数。&lt;/li&gt;&lt;li&gt;タイプ数：正しく打ったキーの数。ミスタイプ数：間違えたキーの数。&lt;/li&gt;&lt;li&gt;出題の左の赤い文字：最後に間違えて打った文字（設定 → ミスタイプを表示する）。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;The numbers on screen&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;Elapsed[sec]: seconds since your first key.&lt;/li&gt;&lt;li&gt;Time left[sec]: the seconds left in Speed attack. In Time attack it becomes the characters left, in Copy-paste attack and the ranking the lines left.&lt;/li&gt;&lt;li&gt;Speed[type/sec]: right keys per second.&lt;/li&gt;&lt;li&gt;Keys: the keys typed right. Misses: the keys typed wrong.&lt;/li&gt;&lt;li&gt;The red character left of the question: the last one you mistyped (Settings → Show mistypes).&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;打ち方の設定（設定メニュー）&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;キー配列を自動で判定&lt;/b&gt;：キーボードの配列が打った文字で判定します。JIS でも US でも、ほかの配列でもそのまま打てます。切ると、&lt;b&gt;英語キーボードで判定&lt;/b&gt; に従ってキーの位置で判定します。&lt;/li&gt;&lt;li&gt;&lt;b&gt;いろいろなローマ字を受け付ける&lt;/b&gt;：SI と SHI、TI と CHI、N 一つの「ん」など、日本語入力で使えるつづりをどれでも受け付けます。切ると、表示されたつづりだけを受け付けます。&lt;/li&gt;&lt;li&gt;&lt;b&gt;かな入力&lt;/b&gt;：JIS かな配列で、キーの位置どおりにかなを打ちます。ローマ字の代わりに読みがひらがなで出ます。濁音・半濁音はかなのあとに ゛ か ゜ のキー。結果はかな専用のハイスコアに残ります（ゲーム中は切り替えられません）。&lt;/li&gt;&lt;li&gt;&lt;b&gt;キーボードを表示&lt;/b&gt;：画面の下にキーボードを出し、次に打つキーと Shift を光らせます。キーの色は打つ指を表します（F と J の印がホームポジション）。基礎練習ではいつも表示されます。かな入力では JIS キーボードにかなを書いて表示し、基礎練習もかなのレッスンになります。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;Typing options (Settings menu)&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Auto-detect keyboard layout&lt;/b&gt;: a key is judged by the character your keyboard layout types, so JIS, US and other layouts all work as they are. Off, keys are judged by their place, following &lt;b&gt;Judge on an English keyboard&lt;/b&gt;.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Flexible romaji spelling&lt;/b&gt;: accepts every spelling Japanese input methods accept, such as SI or SHI, TI or CHI, a single N for ん. Off, only the spelling shown is accepted.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Kana input&lt;/b&gt;: type kana by key position on the JIS kana layout. The reading is shown in hiragana instead of romaji. For voiced and semi-voiced kana, press the ゛ or ゜ key after the kana. Results go to high scores of their own for kana (it cannot be switched during a game).&lt;/li&gt;&lt;li&gt;&lt;b&gt;Show keyboard&lt;/b&gt;: shows a keyboard under the play area and lights the next key and Shift. A key&apos;s colour shows the finger that types it (the marks on F and J are the home position). The basic lessons always show it. With kana input the JIS keyboard shows its kana, and the basic lessons become kana lessons.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;ファイルの場所&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;辞書、ローマ字表、ハイスコア、成績の記録、効果音：&lt;code&gt;%1&lt;/code&gt;&lt;/li&gt;&lt;li&gt;自分の単語辞書（*.qls）やコピペ辞書（*.cls）もここに置くと、ゲーム → 辞書の切り替えに出ます。&lt;/li&gt;&lt;li&gt;設定：&lt;code&gt;~/.config/疾鍵/疾鍵.ini&lt;/code&gt;（ゲームを終えたときに保存されます）&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;Where the files are&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;Dictionaries, romaji table, high scores, progress records, sound effects: &lt;code&gt;%1&lt;/code&gt;&lt;/li&gt;&lt;li&gt;Your own word lists (*.qls) and copy-paste dictionaries (*.cls) put here appear in the game&apos;s dictionary menus (Game → Word list, Copy-paste texts).&lt;/li&gt;&lt;li&gt;Settings: &lt;code&gt;~/.config/疾鍵/疾鍵.ini&lt;/code&gt; (saved when you quit the game)&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>frmLoad</name>
    <message>
        <source>疾辞書のロード中...</source>
        <translation>Loading dictionaries...</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>KOKOHA RO-MAJI DESU</source>
        <translation>ROMAJI SHOWS HERE</translation>
    </message>
    <message>
        <source>ここはかなです</source>
        <translation>Kana shows here</translation>
    </message>
    <message>
        <source>1 名前：</source>
        <translation>1 Name:</translation>
    </message>
    <message>
        <source>経過時間[sec]：</source>
        <translation>Elapsed[sec]:</translation>
    </message>
    <message>
        <source>残り時間[sec]：</source>
        <translation>Time left[sec]:</translation>
    </message>
    <message>
        <source>速度[type/sec]：</source>
        <translation>Speed[type/sec]:</translation>
    </message>
    <message>
        <source>タイプ数：</source>
        <translation>Keys:</translation>
    </message>
    <message>
        <source>ミスタイプ数：</source>
        <translation>Misses:</translation>
    </message>
    <message>
        <source>出題</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>ここに表示される文字をタイプしてください</source>
        <translation>Type the text shown here</translation>
    </message>
    <message>
        <source>ここは次の文字が表示されます（コピペ、ランキングのみ）</source>
        <translation>The next line shows here (copy-paste and ranking only)</translation>
    </message>
    <message>
        <source>ゲーム(&amp;G)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>スピードアタック(&amp;S)</source>
        <translation>&amp;Speed attack</translation>
    </message>
    <message>
        <source>タイムアタック(&amp;T)</source>
        <translation>&amp;Time attack</translation>
    </message>
    <message>
        <source>苦手キー練習(&amp;W)</source>
        <translation>&amp;Weak-key drill</translation>
    </message>
    <message>
        <source>コピペアタック(&amp;C)</source>
        <translation>&amp;Copy-paste attack</translation>
    </message>
    <message>
        <source>インターネットランキング(&amp;I)</source>
        <translation>&amp;Internet ranking</translation>
    </message>
    <message>
        <source>ネット対戦(&amp;N)...</source>
        <translation>&amp;Net battle...</translation>
    </message>
    <message>
        <source>基礎練習(&amp;B)...</source>
        <translation>&amp;Basic lessons...</translation>
    </message>
    <message>
        <source>単語辞書の切り替え(&amp;K)</source>
        <translation>Word &amp;list</translation>
    </message>
    <message>
        <source>コピペ辞書の切り替え(&amp;C)</source>
        <translation>Copy-paste &amp;texts</translation>
    </message>
    <message>
        <source>自分の文章を取り込む(&amp;M)...</source>
        <translation>I&amp;mport your own text...</translation>
    </message>
    <message>
        <source>疾辞書のリロード(&amp;R)</source>
        <translation>&amp;Reload dictionaries</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>ハイスコア(&amp;S)</source>
        <translation>&amp;High scores</translation>
    </message>
    <message>
        <source>成績の推移(&amp;G)...</source>
        <translation>&amp;Progress...</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>ランキングサーバー(&amp;U)...</source>
        <translation>Ranking ser&amp;ver...</translation>
    </message>
    <message>
        <source>コテハンの設定(&amp;K)...</source>
        <translation>&amp;Handle...</translation>
    </message>
    <message>
        <source>ローマ字設定(&amp;R)...</source>
        <translation>&amp;Romaji table...</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>遊び方(&amp;H)...</source>
        <translation>&amp;How to play...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>ペースの種類(&amp;T)</source>
        <translation>Pace &amp;type</translation>
    </message>
    <message>
        <source>自己ベスト</source>
        <translation>Personal best</translation>
    </message>
    <message>
        <source>最近10回の平均</source>
        <translation>Average of the last 10 games</translation>
    </message>
    <message>
        <source>前回</source>
        <translation>Last game</translation>
    </message>
    <message>
        <source>指定の速度…</source>
        <translation>Set speed...</translation>
    </message>
    <message>
        <source>コテハンを使う[%1](&amp;K)</source>
        <translation>Use &amp;handle [%1]</translation>
    </message>
</context>
</TS>
