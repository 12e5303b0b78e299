<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
