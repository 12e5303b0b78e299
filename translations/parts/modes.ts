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
    <name>Pace</name>
    <message>
        <source>%1打 / %2秒</source>
        <translation>%1 keys / %2 s</translation>
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
</TS>
