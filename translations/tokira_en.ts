<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Course</name>
    <message>
        <source>ホームポジションの復習</source>
        <translation>Home row review</translation>
    </message>
    <message>
        <source>上の段の復習</source>
        <translation>Top row review</translation>
    </message>
    <message>
        <source>下の段の復習</source>
        <translation>Bottom row review</translation>
    </message>
    <message>
        <source>母音 あいうえお</source>
        <translation>Vowels あいうえお</translation>
    </message>
    <message>
        <source>か行・さ行</source>
        <translation>K and S rows</translation>
    </message>
    <message>
        <source>た行・な行</source>
        <translation>T and N rows</translation>
    </message>
    <message>
        <source>は行・ま行</source>
        <translation>H and M rows</translation>
    </message>
    <message>
        <source>や行・ら行・わ</source>
        <translation>Y and R rows, わ</translation>
    </message>
    <message>
        <source>濁音・半濁音</source>
        <translation>Dakuten and handakuten</translation>
    </message>
    <message>
        <source>拗音</source>
        <translation>Contracted sounds</translation>
    </message>
    <message>
        <source>数字の段 ぬ〜わ</source>
        <translation>Number row ぬ to わ</translation>
    </message>
    <message>
        <source>ほ へ ー け む ろ</source>
        <translation>ほ へ ー け む ろ</translation>
    </message>
    <message>
        <source>濁音 ゛</source>
        <translation>Dakuten ゛</translation>
    </message>
    <message>
        <source>半濁音 ゜</source>
        <translation>Handakuten ゜</translation>
    </message>
    <message>
        <source>小さい字・を・、。</source>
        <translation>Small kana, を, 、。</translation>
    </message>
    <message>
        <source>短い単語</source>
        <translation>Short words</translation>
    </message>
    <message>
        <source>単語</source>
        <translation>Words</translation>
    </message>
    <message>
        <source>%1 と %2</source>
        <translation>%1 and %2</translation>
    </message>
</context>
<context>
    <name>DictionaryWriter</name>
    <message>
        <source>空の行です</source>
        <translation>Empty line</translation>
    </message>
    <message>
        <source>「:」がありません</source>
        <translation>No &quot;:&quot;</translation>
    </message>
    <message>
        <source>表示か読みが空です</source>
        <translation>Empty text or reading</translation>
    </message>
    <message>
        <source>打てない文字「%1」がローマ字に残ります</source>
        <translation>Untypable character &quot;%1&quot; stays in the romaji</translation>
    </message>
    <message>
        <source>行末の改行 (CR LF) がひとつもありません</source>
        <translation>No line ends with CR LF</translation>
    </message>
    <message>
        <source>最後の行に改行がないため読まれません</source>
        <translation>The last line has no line break and is not read</translation>
    </message>
    <message>
        <source>[END] がありません</source>
        <translation>No [END]</translation>
    </message>
    <message>
        <source>題名の行は「[CopipeName=題名]」の形にしてください</source>
        <translation>Write the title line as &quot;[CopipeName=title]&quot;</translation>
    </message>
    <message>
        <source>本文の行がありません</source>
        <translation>No text lines</translation>
    </message>
    <message>
        <source>登録名を読めません</source>
        <translation>Cannot read the registered name</translation>
    </message>
    <message>
        <source>「[CopipeName=」で始まる文章がひとつもありません</source>
        <translation>No text starts with &quot;[CopipeName=&quot;</translation>
    </message>
</context>
<context>
    <name>DrillRound</name>
    <message>
        <source>疾鍵@苦手キー練習</source>
        <translation>疾鍵@Weak-key drill</translation>
    </message>
</context>
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
    <name>HiScoreMenu</name>
    <message>
        <source>%1（かな）</source>
        <translation>%1 (kana)</translation>
    </message>
    <message>
        <source>スピードアタック</source>
        <translation>Speed attack</translation>
    </message>
    <message>
        <source>タイプ数</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>タイムアタック</source>
        <translation>Time attack</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>苦手キー練習</source>
        <translation>Weak-key drill</translation>
    </message>
    <message>
        <source>コテハンを入力してください</source>
        <translation>Enter your handle.</translation>
    </message>
    <message>
        <source>コテハンを使う</source>
        <translation>Handle</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>The name is too long.</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>成績ファイル「%1」を開けませんでした。</source>
        <translation>Could not open the progress file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>このファイルには手を付けずに、成績を記録しないで続けます。</source>
        <translation>The file is left as it is, and games are not recorded.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」に書き込めませんでした。</source>
        <translation>Could not write to the progress file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>今回の成績は記録されません。</source>
        <translation>This game is not recorded.</translation>
    </message>
    <message>
        <source>CSVファイル「%1」に書き込めませんでした。</source>
        <translation>Could not write the CSV file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」が壊れていました。</source>
        <translation>The progress file &quot;%1&quot; was damaged.</translation>
    </message>
    <message>
        <source>壊れたファイルは「%1」に名前を変えて残し、新しい成績ファイルに記録します。</source>
        <translation>It is kept as &quot;%1&quot;, and games go into a new progress file.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」は新しいバージョンの疾鍵で作られています。</source>
        <translation>The progress file &quot;%1&quot; was made by a newer version of 疾鍵.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」がほかのプログラムに使われていて開けませんでした。</source>
        <translation>The progress file &quot;%1&quot; is in use by another program and could not be opened.</translation>
    </message>
    <message>
        <source>成績ファイル「%1」を開けなかったので、出力する成績がありません。</source>
        <translation>The progress file &quot;%1&quot; could not be opened, so there is nothing to export.</translation>
    </message>
</context>
<context>
    <name>KeyboardLayout</name>
    <message>
        <source>スペース</source>
        <translation>Space</translation>
    </message>
</context>
<context>
    <name>KeyboardView</name>
    <message>
        <source>スペース</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>ミス率</source>
        <translation>Miss rate</translation>
    </message>
    <message>
        <source>%1%以上</source>
        <translation>%1% or more</translation>
    </message>
    <message>
        <source>記録なし</source>
        <translation>No record</translation>
    </message>
    <message>
        <source>「%1」 正解 %2・ミス %3（ミス率 %4%）</source>
        <translation>&quot;%1&quot;: %2 right, %3 missed (miss rate %4%)</translation>
    </message>
    <message>
        <source>「%1」 記録なし</source>
        <translation>&quot;%1&quot;: no record</translation>
    </message>
</context>
<context>
    <name>LessonRound</name>
    <message>
        <source>疾鍵@基礎練習 %1 %2</source>
        <translation>疾鍵@Lesson %1 %2</translation>
    </message>
    <message>
        <source>残り文字数：</source>
        <translation>Keys left:</translation>
    </message>
    <message>
        <source>正確率 %1%（%2%以上で合格）</source>
        <translation>Accuracy %1% (%2% or more to pass)</translation>
    </message>
    <message>
        <source>速度 %1（%2以上で合格）</source>
        <translation>Speed %1 (%2 or more to pass)</translation>
    </message>
    <message>
        <source>もう一度挑戦しましょう。</source>
        <translation>Try once more.</translation>
    </message>
    <message>
        <source>合格です！</source>
        <translation>Passed!</translation>
    </message>
    <message>
        <source>次のレッスン「%1 %2」に進めます。</source>
        <translation>The next lesson, &quot;%1 %2&quot;, is open.</translation>
    </message>
    <message>
        <source>すべてのレッスンを終えました。</source>
        <translation>You have finished every lesson.</translation>
    </message>
    <message>
        <source>基礎練習</source>
        <translation>Basic lessons</translation>
    </message>
</context>
<context>
    <name>Loader</name>
    <message>
        <source>辞書データ読み込み中に何らかのエラーが発生しました</source>
        <translation>An error occurred while reading the dictionaries.</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>%1 %2行目</source>
        <translation>%1 line %2</translation>
    </message>
    <message>
        <source>%1 %2行目「%3」で変換後の文字列が長くなりすぎました</source>
        <translation>%1 line %2: &quot;%3&quot; makes the converted text too long.</translation>
    </message>
    <message>
        <source>%1が見つかりません</source>
        <translation>%1 was not found.</translation>
    </message>
    <message>
        <source>単語辞書のロード...</source>
        <translation>Loading the word list...</translation>
    </message>
    <message>
        <source>コピペ辞書のロード...</source>
        <translation>Loading the copy-paste dictionary...</translation>
    </message>
    <message>
        <source>ランキング辞書のロード...</source>
        <translation>Loading the ranking dictionary...</translation>
    </message>
    <message>
        <source>%1が見つからないか、データが不正です</source>
        <translation>%1 was not found or its data is invalid.</translation>
    </message>
    <message>
        <source>ローマ字設定...</source>
        <translation>Romaji table...</translation>
    </message>
    <message>
        <source>単語辞書の解析...</source>
        <translation>Reading the word list...</translation>
    </message>
    <message>
        <source>コピペ辞書の解析...</source>
        <translation>Reading the copy-paste dictionary...</translation>
    </message>
    <message>
        <source>ランキング辞書の解析...</source>
        <translation>Reading the ranking dictionary...</translation>
    </message>
</context>
<context>
    <name>MecabEngine</name>
    <message>
        <source>sudo apt install mecab-ipadic-utf8 でインストールしてください。</source>
        <translation>Install it with: sudo apt install mecab-ipadic-utf8</translation>
    </message>
    <message>
        <source>読みを付けるための MeCab の辞書が見つかりません。</source>
        <translation>No MeCab dictionary was found to add readings with. </translation>
    </message>
    <message>
        <source>MeCab の辞書が UTF-8 ではありません。</source>
        <translation>The MeCab dictionary is not UTF-8. </translation>
    </message>
    <message>
        <source>このゲームは MeCab なしでビルドされたため、読みを付けられません。sudo apt install libmecab-dev mecab-ipadic-utf8 でインストールしてから、ゲームをビルドし直してください。</source>
        <translation>This game was built without MeCab, so it cannot add readings. Install it with sudo apt install libmecab-dev mecab-ipadic-utf8, then build the game again.</translation>
    </message>
</context>
<context>
    <name>Modes</name>
    <message>
        <source>結果をクリップボードに出力しますか？</source>
        <translation>Copy the result to the clipboard?</translation>
    </message>
    <message>
        <source>インターネットランキングに結果を送信しますか？</source>
        <translation>Send the result to the Internet ranking?</translation>
    </message>
    <message>
        <source>ハイスコア更新!</source>
        <translation>New high score!</translation>
    </message>
    <message>
        <source>登録する名前を8文字以内で入力してください</source>
        <translation>Enter a name of up to 8 characters.</translation>
    </message>
    <message>
        <source>名前を入力してください</source>
        <translation>Enter your name</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>The name is too long.</translation>
    </message>
</context>
<context>
    <name>NetBattle</name>
    <message>
        <source>原因不明のエラーが発生しました、放置プレイします</source>
        <translation>An unknown error occurred; carrying on</translation>
    </message>
    <message>
        <source>実況&gt; %1の攻撃</source>
        <translation>battle&gt; %1 attacks</translation>
    </message>
    <message>
        <source>実況&gt; %1に%2のダメージを与えた</source>
        <translation>battle&gt; %1 takes %2 damage</translation>
    </message>
    <message>
        <source>実況&gt; %1は%2のダメージを受けた</source>
        <translation>battle&gt; %1 took %2 damage</translation>
    </message>
    <message>
        <source>実況&gt; あなたは勝ちました</source>
        <translation>battle&gt; You won</translation>
    </message>
    <message>
        <source>実況&gt; あなたは負けました</source>
        <translation>battle&gt; You lost</translation>
    </message>
    <message>
        <source>対戦成績ファイル「%1」に書き込めませんでした。</source>
        <translation>Could not write to the battle record file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>この対戦の結果は記録されません。</source>
        <translation>This battle&apos;s result is not recorded.</translation>
    </message>
</context>
<context>
    <name>NetRound</name>
    <message>
        <source>疾鍵@ネット対戦</source>
        <translation>疾鍵@Net battle</translation>
    </message>
    <message>
        <source>相手の残りH.P.</source>
        <translation>Opponent H.P.</translation>
    </message>
</context>
<context>
    <name>Pace</name>
    <message>
        <source>%1打 / %2秒</source>
        <translation>%1 keys / %2 s</translation>
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
    <name>RankingRequest</name>
    <message>
        <source>文章の登録名</source>
        <translation>Text name</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>ランキングサーバーがこのゲームの送信を読めませんでした（ゲームとサーバーの版が合っていないかもしれません）</source>
        <translation>The ranking server could not read what this game sent (the game and the server may be of different versions).</translation>
    </message>
    <message>
        <source>この名前はこの文章に別のパスワードで登録されています</source>
        <translation>This name is registered for this text with another password.</translation>
    </message>
    <message>
        <source>このアドレスからの送信が多すぎます。1分ほど待ってから送り直してください</source>
        <translation>Too many submissions from this address. Wait a minute, then send again.</translation>
    </message>
    <message>
        <source>このアドレスから今日登録できる新しい文章の数を超えました。明日また送ってください</source>
        <translation>This address has registered as many new texts as it may today. Send again tomorrow.</translation>
    </message>
    <message>
        <source>ランキングサーバーが混み合っています。しばらくしてから送り直してください</source>
        <translation>The ranking server is busy. Send again in a while.</translation>
    </message>
    <message>
        <source>ランキングは今は使えません。しばらくしてから送り直してください</source>
        <translation>The ranking is not available now. Send again in a while.</translation>
    </message>
    <message>
        <source>ランキングサーバーの中でエラーが起きました</source>
        <translation>An error occurred inside the ranking server.</translation>
    </message>
    <message>
        <source>送る内容が長すぎます</source>
        <translation>The submission is too long.</translation>
    </message>
    <message>
        <source>ランキングサーバーのアドレスにランキングがありません</source>
        <translation>There is no ranking at the ranking server address.</translation>
    </message>
    <message>
        <source>%1は1～%2文字にしてください</source>
        <translation>%1 must be 1 to %2 characters.</translation>
    </message>
    <message>
        <source>%1が空白だけです</source>
        <translation>%1 is only spaces.</translation>
    </message>
    <message>
        <source>%1が正しい数ではありません</source>
        <translation>%1 is not a valid number.</translation>
    </message>
    <message>
        <source>%1にランキングサーバーが扱えない文字があります</source>
        <translation>%1 has characters the ranking server cannot take.</translation>
    </message>
    <message>
        <source>ランキングサーバーが時間内に応答しませんでした</source>
        <translation>The ranking server did not answer in time.</translation>
    </message>
    <message>
        <source>ランキングサーバーの応答が長すぎました</source>
        <translation>The ranking server answer was too long.</translation>
    </message>
    <message>
        <source>ランキングサーバー %1 に接続できませんでした</source>
        <translation>Could not connect to the ranking server %1.</translation>
    </message>
    <message>
        <source>ランキングサーバーが受け付けませんでした：%1</source>
        <translation>The ranking server refused the score: %1</translation>
    </message>
    <message>
        <source>ランキングサーバーがHTTPエラー %1 を返しました</source>
        <translation>The ranking server returned HTTP error %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>ランキングサーバーの応答が空でした</source>
        <translation>The ranking server answer was empty.</translation>
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
        <translation>疾鍵 - Word list [%1] Copy-paste [%2]</translation>
    </message>
</context>
<context>
    <name>Rounds</name>
    <message>
        <source>-------------------終了-------------------</source>
        <translation>-------------------Finished-------------------</translation>
    </message>
    <message>
        <source>残り時間[sec]：</source>
        <translation>Time left [sec]:</translation>
    </message>
    <message>
        <source>残り文字数：</source>
        <translation>Keys left:</translation>
    </message>
    <message>
        <source>残り行数：</source>
        <translation>Lines left:</translation>
    </message>
</context>
<context>
    <name>ScoreTables</name>
    <message>
        <source>ハイスコアファイル「%1」に書き込めませんでした。</source>
        <translation>Could not write the high-score file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>今回の記録は疾鍵を終了すると消えてしまいます。</source>
        <translation>This result will be lost when 疾鍵 ends.</translation>
    </message>
    <message>
        <source>ハイスコアファイル「%1」を読み込めませんでした。</source>
        <translation>Could not read the high-score file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>このファイルには手を付けずに、初期状態のハイスコアを使います。</source>
        <translation>The file is left as it is and the starting high scores are used.</translation>
    </message>
    <message>
        <source>ハイスコアファイル「%1」の中身が壊れていました。</source>
        <translation>The high-score file &quot;%1&quot; was damaged.</translation>
    </message>
    <message>
        <source>壊れたファイルは「%1」に名前を変えて残し、ハイスコアを初期状態に戻しました。</source>
        <translation>It was kept as &quot;%1&quot; and the high scores were reset.</translation>
    </message>
    <message>
        <source>名前を変えて残すこともできなかったので、初期状態のハイスコアを使います。</source>
        <translation>It could not be kept under another name either; the starting high scores are used.</translation>
    </message>
</context>
<context>
    <name>SoloRounds</name>
    <message>
        <source>疾鍵@スピードアタック</source>
        <translation>疾鍵@Speed attack</translation>
    </message>
    <message>
        <source>疾鍵@タイムアタック</source>
        <translation>疾鍵@Time attack</translation>
    </message>
    <message>
        <source>疾鍵@コピペアタック「%1」</source>
        <translation>疾鍵@Copy-paste attack &quot;%1&quot;</translation>
    </message>
    <message>
        <source>疾鍵@ランキング「%1」</source>
        <translation>疾鍵@Ranking &quot;%1&quot;</translation>
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
        <translation>&lt;h3&gt;The numbers on screen&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;Elapsed [sec]: seconds since your first key.&lt;/li&gt;&lt;li&gt;Time left [sec]: the seconds left in Speed attack. In Time attack it becomes the characters left, in Copy-paste attack and the ranking the lines left.&lt;/li&gt;&lt;li&gt;Speed [type/sec]: right keys per second.&lt;/li&gt;&lt;li&gt;Keys: the keys typed right. Misses: the keys typed wrong.&lt;/li&gt;&lt;li&gt;The red character left of the question: the last one you mistyped (Settings → Show mistypes).&lt;/li&gt;&lt;/ul&gt;</translation>
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
    <name>frmImport</name>
    <message>
        <source>文章が大きすぎます。取り込めるのは 1 MB、2000 行までです。</source>
        <translation>The text is too large. Up to 1 MB and 2000 lines can be imported.</translation>
    </message>
    <message>
        <source>文章のファイルではないため、取り込めません。</source>
        <translation>This is not a text file, so it cannot be imported.</translation>
    </message>
    <message>
        <source>文章の取り込み</source>
        <translation>Import your own text</translation>
    </message>
    <message>
        <source>ここに文章を貼り付けるか、ファイルを開いてください。</source>
        <translation>Paste a text here, or open a file.</translation>
    </message>
    <message>
        <source>ファイルを開く(&amp;O)...</source>
        <translation>&amp;Open file...</translation>
    </message>
    <message>
        <source>読みを付ける(&amp;R)</source>
        <translation>Add &amp;readings</translation>
    </message>
    <message>
        <source>文</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>読み</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>ローマ字</source>
        <translation>Romaji</translation>
    </message>
    <message>
        <source>コピペ辞書に保存(&amp;S)</source>
        <translation>&amp;Save as copy-paste text</translation>
    </message>
    <message>
        <source>単語辞書に保存(&amp;W)</source>
        <translation>Save to &amp;word list</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>題名(&amp;T):</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>%1 を開けません。</source>
        <translation>Cannot open %1.</translation>
    </message>
    <message>
        <source>文章のファイルを開く</source>
        <translation>Open a text file</translation>
    </message>
    <message>
        <source>文章 (*.txt);;すべてのファイル (*)</source>
        <translation>Texts (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>読めない語のある行が %1 行あります。色の付いた読みを直してください。</source>
        <translation>Lines with unread words: %1. Please correct the coloured readings.</translation>
    </message>
    <message>
        <source>%1 行、すべて読みがあります。</source>
        <translation>Lines: %1, all with readings.</translation>
    </message>
    <message>
        <source>取り込む文がありません。文章を入れて「読みを付ける」を押してください。</source>
        <translation>There is nothing to import. Enter a text and press &quot;Add readings&quot;.</translation>
    </message>
    <message>
        <source>%1行目の読みに漢字が残っています。読みを直してから保存してください。</source>
        <translation>The reading of line %1 still has kanji. Please correct it before saving.</translation>
    </message>
    <message>
        <source>roman.dat を読めないため、%1行目をローマ字にできません。</source>
        <translation>roman.dat cannot be read, so line %1 cannot be turned into romaji.</translation>
    </message>
    <message>
        <source>%1行目の読みにローマ字で打てない文字があります。読みを直してから保存してください。</source>
        <translation>The reading of line %1 has a character that cannot be typed in romaji. Please correct it before saving.</translation>
    </message>
    <message>
        <source>%1行目の「%2」は辞書に書けない文字です。</source>
        <translation>&quot;%2&quot; in line %1 cannot be written to a dictionary.</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした。元のファイルはそのままです。</source>
        <translation>Could not save to %1. The file is as it was.</translation>
    </message>
    <message>
        <source>%1 に保存しました。</source>
        <translation>Saved to %1.</translation>
    </message>
    <message>
        <source>題名を入れてください。</source>
        <translation>Please enter a title.</translation>
    </message>
    <message>
        <source>題名の「%1」は辞書に書けない文字です。</source>
        <translation>&quot;%1&quot; in the title cannot be written to a dictionary.</translation>
    </message>
    <message>
        <source>%1 を読めないため、保存しません。</source>
        <translation>%1 cannot be read, so nothing was saved.</translation>
    </message>
    <message>
        <source>「%1」はもうあります。置き換えますか？</source>
        <translation>&quot;%1&quot; is already there. Replace it?</translation>
    </message>
</context>
<context>
    <name>frmLesson</name>
    <message>
        <source>基礎練習</source>
        <translation>Basic lessons</translation>
    </message>
    <message>
        <source>レッスン</source>
        <translation>Lesson</translation>
    </message>
    <message>
        <source>目標速度</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>最高速度</source>
        <translation>Best speed</translation>
    </message>
    <message>
        <source>最高正確率</source>
        <translation>Best accuracy</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>開始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>かな入力のレッスンです。</source>
        <translation>Kana input lessons. </translation>
    </message>
    <message>
        <source>正確率%1%以上・目標の速度[type/sec]以上で合格すると、次のレッスンが開きます。</source>
        <translation>Pass with %1% accuracy or more at the target speed [type/sec] or faster, and the next lesson opens.</translation>
    </message>
    <message>
        <source>合格</source>
        <translation>Passed</translation>
    </message>
    <message>
        <source>挑戦できます</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>未開放</source>
        <translation>Locked</translation>
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
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
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
        <translation>1 Name: </translation>
    </message>
    <message>
        <source>経過時間[sec]：</source>
        <translation>Elapsed [sec]:</translation>
    </message>
    <message>
        <source>残り時間[sec]：</source>
        <translation>Time left [sec]:</translation>
    </message>
    <message>
        <source>速度[type/sec]：</source>
        <translation>Speed [type/sec]:</translation>
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
        <translation>Copy-paste te&amp;xts</translation>
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
        <translation>High s&amp;cores</translation>
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
<context>
    <name>frmNet</name>
    <message>
        <source>（ここに文章を打ってエンターを押すと発言できます）</source>
        <translation>(Type here and press Enter to chat)</translation>
    </message>
    <message>
        <source>ネット対戦</source>
        <translation>Net battle</translation>
    </message>
    <message>
        <source>疾鍵ネット対戦はP2P方式です。</source>
        <translation>疾鍵 net battles are peer to peer.</translation>
    </message>
    <message>
        <source>対戦する片方がサーバーを立ててください</source>
        <translation>One player hosts a server,</translation>
    </message>
    <message>
        <source>もう片方は、そのサーバーに接続してください</source>
        <translation>the other connects to that server,</translation>
    </message>
    <message>
        <source>その後サーバーの方がゲームスタートボタンを押してください</source>
        <translation>then the host presses Start game</translation>
    </message>
    <message>
        <source>対戦が開始されます</source>
        <translation>and the battle begins.</translation>
    </message>
    <message>
        <source>対戦のルールはメニューからヘルプをクリックしてください</source>
        <translation>For the rules, click Help in the menu</translation>
    </message>
    <message>
        <source>自分の名前</source>
        <translation>Your name</translation>
    </message>
    <message>
        <source>相手の名前</source>
        <translation>Opponent&apos;s name</translation>
    </message>
    <message>
        <source>反応速度チェック(&amp;P)</source>
        <translation>&amp;Ping check</translation>
    </message>
    <message>
        <source>ゲームスタート(&amp;S)</source>
        <translation>&amp;Start game</translation>
    </message>
    <message>
        <source>サーバーを立てる(&amp;H)</source>
        <translation>&amp;Host</translation>
    </message>
    <message>
        <source>サーバーに接続する(&amp;C)...</source>
        <translation>&amp;Connect...</translation>
    </message>
    <message>
        <source>部屋を作る(&amp;R)...</source>
        <translation>Create &amp;room...</translation>
    </message>
    <message>
        <source>部屋に入る(&amp;J)...</source>
        <translation>&amp;Join room...</translation>
    </message>
    <message>
        <source>強制切断(&amp;B)</source>
        <translation>&amp;Disconnect</translation>
    </message>
    <message>
        <source>対戦成績(&amp;T)</source>
        <translation>Resul&amp;ts</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)...</source>
        <translation>H&amp;elp...</translation>
    </message>
    <message>
        <source>接続されていないので送信できませんでした</source>
        <translation>Not connected, so nothing was sent</translation>
    </message>
    <message>
        <source>相手の名前は%1です</source>
        <translation>Your opponent is %1</translation>
    </message>
    <message>
        <source>不正なコマンドを受信しました、放置プレイします</source>
        <translation>Received an unknown command; carrying on</translation>
    </message>
    <message>
        <source>名無しさんだとわかりにくいので、コテハンを入力してください</source>
        <translation>Please enter a handle (名無しさん is hard to tell apart)</translation>
    </message>
    <message>
        <source>名前が入力されませんでした</source>
        <translation>No name was entered</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>The name is too long</translation>
    </message>
    <message>
        <source>ポート%1でサーバーを開始できませんでした</source>
        <translation>Could not start a server on port %1</translation>
    </message>
    <message>
        <source>サーバーを開始しました</source>
        <translation>Server started</translation>
    </message>
    <message>
        <source>クライアントからの接続を待機します...</source>
        <translation>Waiting for a client to connect...</translation>
    </message>
    <message>
        <source>接続が完了されました</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>サーバーのIP（RemoteHost)を入力してください</source>
        <translation>Enter the server&apos;s IP address (RemoteHost)</translation>
    </message>
    <message>
        <source>サーバーのIP（RemoteHost)が入力されませんでした</source>
        <translation>No server IP address (RemoteHost) was entered</translation>
    </message>
    <message>
        <source>サーバーのIP（RemoteHost)が正しくありません</source>
        <translation>The server IP address (RemoteHost) is not valid</translation>
    </message>
    <message>
        <source>サーバーに接続中...</source>
        <translation>Connecting to the server...</translation>
    </message>
    <message>
        <source>サーバーに接続しました</source>
        <translation>Connected to the server</translation>
    </message>
    <message>
        <source>サーバーに接続できませんでした</source>
        <translation>Could not connect to the server</translation>
    </message>
    <message>
        <source>相手先でサーバーが立っていない可能性があります</source>
        <translation>Perhaps no server runs on the other side</translation>
    </message>
    <message>
        <source>異なるバージョンの疾鍵を使用している可能性があります</source>
        <translation>Perhaps the other side uses another version of 疾鍵</translation>
    </message>
    <message>
        <source>すでに他のクライアントが繋いでいる可能性があります</source>
        <translation>Perhaps another client is already connected</translation>
    </message>
    <message>
        <source>ルータやファイヤーウォールを使用している可能性もあります</source>
        <translation>Perhaps a router or a firewall is in the way</translation>
    </message>
    <message>
        <source>疾鍵はポート21225-21230あたりを使うので空けておいてください</source>
        <translation>疾鍵 uses ports around 21225-21230: keep them open</translation>
    </message>
    <message>
        <source>部屋の名前を入力してください（半角英数字と _ - で32文字まで。相手と同じ名前にします）</source>
        <translation>Enter a room name (up to 32 of A-Z, a-z, 0-9, _ and -; the same as your opponent&apos;s)</translation>
    </message>
    <message>
        <source>部屋の名前が入力されませんでした</source>
        <translation>No room name was entered</translation>
    </message>
    <message>
        <source>部屋の名前に使えるのは半角英数字と _ - の32文字までです</source>
        <translation>A room name is up to 32 of A-Z, a-z, 0-9, _ and -</translation>
    </message>
    <message>
        <source>ランキングサーバーの設定が正しくありません（設定 → ランキングサーバー）</source>
        <translation>The ranking server is not set right (Settings &gt; Ranking server)</translation>
    </message>
    <message>
        <source>ランキングサーバー %1 に接続中...</source>
        <translation>Connecting to the ranking server %1...</translation>
    </message>
    <message>
        <source>部屋「%1」を開きました。相手が入るのを待っています...</source>
        <translation>Room &quot;%1&quot; is open. Waiting for your opponent to join...</translation>
    </message>
    <message>
        <source>待つのをやめるときは強制切断を押してください</source>
        <translation>To stop waiting, press Disconnect</translation>
    </message>
    <message>
        <source>ランキングサーバーに接続できませんでした</source>
        <translation>Could not connect to the ranking server</translation>
    </message>
    <message>
        <source>部屋「%1」はほかの人が使っています。別の名前にしてください</source>
        <translation>Room &quot;%1&quot; is taken. Please choose another name</translation>
    </message>
    <message>
        <source>部屋「%1」はありません。相手が部屋を作ってから入ってください</source>
        <translation>There is no room &quot;%1&quot;. Join once your opponent has created it</translation>
    </message>
    <message>
        <source>相手が来ないまま時間が過ぎたので部屋「%1」を閉じました</source>
        <translation>Nobody joined in time, so room &quot;%1&quot; was closed</translation>
    </message>
    <message>
        <source>このランキングサーバーは対戦の部屋を扱っていません</source>
        <translation>This ranking server has no battle rooms</translation>
    </message>
    <message>
        <source>ランキングサーバーの部屋がいっぱいです。しばらくしてからやり直してください</source>
        <translation>The ranking server&apos;s rooms are full. Please try again later</translation>
    </message>
    <message>
        <source>切断しました</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>切断されました</source>
        <translation>The link was closed</translation>
    </message>
    <message>
        <source>接続されていません</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>ゲームが開始されたらひたすら早くタイピングしてください。</source>
        <translation>Once the game starts, type as fast as you can.</translation>
    </message>
    <message>
        <source>早くタイプすればするほど、A.P.も早く貯まります。</source>
        <translation>The faster you type, the faster your A.P. (attack points) charge.</translation>
    </message>
    <message>
        <source>しかし、あせってミスタイプするとA.P.は減ってしまいます。</source>
        <translation>But every mistype made in a hurry drains A.P.</translation>
    </message>
    <message>
        <source>A.P.が貯まったらエンターキー（リターンキー）を押してください。</source>
        <translation>When your A.P. are charged, press Enter (Return).</translation>
    </message>
    <message>
        <source>A.P.に応じた攻撃力で相手を攻撃できます。</source>
        <translation>You attack your opponent with a strength that grows with your A.P.</translation>
    </message>
    <message>
        <source>先に相手のH.P.を0にしたほうの勝ちです。</source>
        <translation>The first to bring the other&apos;s H.P. (hit points) to 0 wins.</translation>
    </message>
    <message>
        <source>なお、サーバーでゲームを開始すると即カウントが始まるので注意してください。</source>
        <translation>Take care: the count starts the moment the host starts the game.</translation>
    </message>
    <message>
        <source>ネット対戦の遊び方</source>
        <translation>How to play net battles</translation>
    </message>
</context>
<context>
    <name>frmNetResult</name>
    <message>
        <source>対戦成績</source>
        <translation>Battle results</translation>
    </message>
    <message>
        <source>通算 %1勝%2敗</source>
        <translation>Total: %1 won, %2 lost</translation>
    </message>
</context>
<context>
    <name>frmRanking</name>
    <message>
        <source>インターネットランキング申請</source>
        <translation>Internet ranking submission</translation>
    </message>
    <message>
        <source>コピペ名</source>
        <translation>Text</translation>
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
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>※パスワードは必ず前回と同じものを入力してください。前回の記録が破棄され、新しい記録でソートされます。また、パスワードは絶対に他の人とかぶらない文字列にしてください。もし他の人のパスワードと一致すると、他の人のデータが破棄されてしまいます。</source>
        <translation>* Always enter the same password as last time: your last record is dropped and the list is sorted with the new one. Choose a password nobody else would use: if it matches another player&apos;s password, that player&apos;s data is dropped.</translation>
    </message>
    <message>
        <source>※どうしてもここから申請できない方はメールを下さい。</source>
        <translation>* If you cannot submit from here, please send an e-mail.</translation>
    </message>
    <message>
        <source>申請(&amp;R)</source>
        <translation>&amp;Submit</translation>
    </message>
    <message>
        <source>入力に不備があります</source>
        <translation>Please fill in every field.</translation>
    </message>
    <message>
        <source>errorとか入れられるとイヤな感じがするんだな</source>
        <translation>Please leave the word &quot;error&quot; out.</translation>
    </message>
    <message>
        <source>スコア申請中...&#x3000;しばらくお待ちください</source>
        <translation>Submitting the score... please wait</translation>
    </message>
    <message>
        <source>スコア申請完了！</source>
        <translation>Score submitted!</translation>
    </message>
    <message>
        <source>・・・たぶん</source>
        <translation>...probably</translation>
    </message>
    <message>
        <source>エラー発生</source>
        <translation>An error occurred.</translation>
    </message>
    <message>
        <source>スコアは申請されませんでした</source>
        <translation>The score was not submitted.</translation>
    </message>
    <message>
        <source>ランキングサーバーのアドレス（http://ホスト:ポート）</source>
        <translation>Ranking server address (http://host:port)</translation>
    </message>
    <message>
        <source>現在: %1</source>
        <translation>Now: %1</translation>
    </message>
    <message>
        <source>ランキングサーバー</source>
        <translation>Ranking server</translation>
    </message>
    <message>
        <source>ランキングサーバーのアドレスは http:// か https:// で始まるURLで入力してください</source>
        <translation>Enter the ranking server address as a URL that starts with http:// or https://.</translation>
    </message>
</context>
<context>
    <name>frmRoman</name>
    <message>
        <source>ローマ字設定</source>
        <translation>Romaji table</translation>
    </message>
    <message>
        <source>新規追加</source>
        <translation>New rule</translation>
    </message>
    <message>
        <source>「%1」はroman.datの文字コード（Shift-JIS）では保存できない文字です</source>
        <translation>&quot;%1&quot; cannot be saved in the encoding of roman.dat (Shift-JIS).</translation>
    </message>
    <message>
        <source>別の文字で入力してください</source>
        <translation>Please use another character.</translation>
    </message>
    <message>
        <source>「変更前の文字:変更後の文字」の形で、1行で入力してください</source>
        <translation>Enter one line in the form &quot;before:after&quot;.</translation>
    </message>
    <message>
        <source>新規追加(&amp;N)</source>
        <translation>&amp;New rule</translation>
    </message>
    <message>
        <source>必要な時だけ&amp;NNにする</source>
        <translation>&amp;NN only when needed</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>変更したいローマ字をダブルクリックしてください</source>
        <translation>Double-click the romaji you want to change,</translation>
    </message>
    <message>
        <source>表示されるダイアログに自分の癖にあったローマ字を大文字で入力してください</source>
        <translation>then type the romaji that suits you, in capitals, in the box that opens.</translation>
    </message>
    <message>
        <source>%1に対応するアルファベットを大文字で入力してください</source>
        <translation>Enter the letters for %1 in capitals.</translation>
    </message>
    <message>
        <source>追加するローマ字設定を入力してください</source>
        <translation>Enter the romaji rule to add,</translation>
    </message>
    <message>
        <source>変更前の文字:変更後の文字&#x3000;というフォーマットです。</source>
        <translation>in the form before:after.</translation>
    </message>
    <message>
        <source>必要な時だけNN機能つかうならNN:NはNN:NNにするぞう</source>
        <translation>To use NN only when needed, NN:N becomes NN:NN,</translation>
    </message>
    <message>
        <source>そうしないとチャンと動かないからノォ</source>
        <translation>or it will not work properly.</translation>
    </message>
    <message>
        <source>roman.datを保存できませんでした。</source>
        <translation>Could not save roman.dat.</translation>
    </message>
</context>
<context>
    <name>frmRun</name>
    <message>
        <source>この回</source>
        <translation>This run</translation>
    </message>
    <message>
        <source>ペース</source>
        <translation>Pace</translation>
    </message>
    <message>
        <source>走りの記録</source>
        <translation>Run chart</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>打</source>
        <translation>keys</translation>
    </message>
    <message>
        <source>等速</source>
        <translation>1x</translation>
    </message>
    <message>
        <source>%1倍速</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation> &quot;%1&quot;</translation>
    </message>
    <message>
        <source> かな</source>
        <translation> kana</translation>
    </message>
    <message>
        <source>停止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>%1秒  %2打 / %3打</source>
        <translation>%1 s  %2 / %3 keys</translation>
    </message>
</context>
<context>
    <name>frmStats</name>
    <message>
        <source>%1のベストテン</source>
        <translation>%1 best ten</translation>
    </message>
    <message>
        <source>他のキー</source>
        <translation>Other key</translation>
    </message>
    <message>
        <source>スペース</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>CSV出力</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSVファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>すべてのモード</source>
        <translation>All modes</translation>
    </message>
    <message>
        <source>最近7日間</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>最近30日間</source>
        <translation>Last 30 days</translation>
    </message>
    <message>
        <source>すべての期間</source>
        <translation>All time</translation>
    </message>
    <message>
        <source>ローマ字入力</source>
        <translation>Romaji input</translation>
    </message>
    <message>
        <source>かな入力</source>
        <translation>Kana input</translation>
    </message>
    <message>
        <source>CSV出力(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>走りを再生(&amp;R)...</source>
        <translation>&amp;Replay a run...</translation>
    </message>
    <message>
        <source>速度[type/sec]</source>
        <translation>Speed [type/sec]</translation>
    </message>
    <message>
        <source>正確さ[%]</source>
        <translation>Accuracy [%]</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>ミス率</source>
        <translation>Miss rate</translation>
    </message>
    <message>
        <source>ミス</source>
        <translation>Misses</translation>
    </message>
    <message>
        <source>打鍵</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>代わりに押したキー</source>
        <translation>Typed instead</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>ミスあり</source>
        <translation>Missed</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>Times</translation>
    </message>
    <message>
        <source>苦手な文字(&amp;K)</source>
        <translation>Weak &amp;keys</translation>
    </message>
    <message>
        <source>苦手なかな(&amp;N)</source>
        <translation>Weak ka&amp;na</translation>
    </message>
    <message>
        <source>モード(&amp;M):</source>
        <translation>&amp;Mode:</translation>
    </message>
    <message>
        <source>期間(&amp;P):</source>
        <translation>&amp;Period:</translation>
    </message>
    <message>
        <source>入力(&amp;I):</source>
        <translation>&amp;Input:</translation>
    </message>
    <message>
        <source>キーごとのミス率</source>
        <translation>Miss rate per key</translation>
    </message>
    <message>
        <source>1ゲームごと</source>
        <translation>Per game</translation>
    </message>
    <message>
        <source>1日ごとの平均</source>
        <translation>Daily average</translation>
    </message>
    <message>
        <source>1週間ごとの平均</source>
        <translation>Weekly average</translation>
    </message>
    <message>
        <source>この条件で記録されたゲームはありません。</source>
        <translation>No games recorded for this choice.</translation>
    </message>
    <message>
        <source>%1ゲーム&#x3000;平均速度 %2&#x3000;平均正確さ %3%</source>
        <translation>Games: %1    Average speed: %2    Average accuracy: %3%</translation>
    </message>
    <message>
        <source>「%1」×%2</source>
        <translation>&quot;%1&quot; x%2</translation>
    </message>
    <message>
        <source>成績をCSVファイルに書き出しました。</source>
        <translation>Progress exported to the CSV file:</translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source>スピードアタック</source>
        <translation>Speed attack</translation>
    </message>
    <message>
        <source>タイムアタック</source>
        <translation>Time attack</translation>
    </message>
    <message>
        <source>コピペアタック</source>
        <translation>Copy-paste attack</translation>
    </message>
    <message>
        <source>ランキングアタック</source>
        <translation>Ranking attack</translation>
    </message>
    <message>
        <source>ネット対戦</source>
        <translation>Net battle</translation>
    </message>
    <message>
        <source>苦手キー練習</source>
        <translation>Weak-key drill</translation>
    </message>
    <message>
        <source>基礎練習</source>
        <translation>Basic lessons</translation>
    </message>
</context>
</TS>
