<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>StageWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New Stage</source>
        <translation>新しいステージ(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前をつけて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Export Stage File...</source>
        <translation>ステージファイルを書き出す(&amp;E)...</translation>
    </message>
    <message>
        <source>Play in the &amp;Game</source>
        <translation>ゲームで遊ぶ(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直す(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>プレイ(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Play Here / Back to Editing</source>
        <translation>ここで遊ぶ／編集に戻る(&amp;P)</translation>
    </message>
    <message>
        <source>the stage's own picture</source>
        <translation>ステージ自身の画像</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>allowed</source>
        <translation>許す</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Mark limit</source>
        <translation>マークの上限</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>背景</translation>
    </message>
    <message>
        <source>Teaches</source>
        <translation>教えるもの</translation>
    </message>
    <message>
        <source>Features</source>
        <translation>使うタイル</translation>
    </message>
    <message>
        <source>Traps</source>
        <translation>罠</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>パー</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>Judging...</source>
        <translation>判定中...</translation>
    </message>
    <message>
        <source>Cleared in %1 steps!</source>
        <translation>%1 歩でクリア！</translation>
    </message>
    <message>
        <source>Steps: %1</source>
        <translation>歩数: %1</translation>
    </message>
    <message>
        <source>Arrow keys move, H shows a hint, Backspace undoes, S redoes, C starts over, F5 goes back to editing</source>
        <translation>矢印キーで移動、H でヒント、Backspace で戻す、S でやり直し、C で最初から、F5 で編集に戻る</translation>
    </message>
    <message>
        <source>No clear is possible from here.</source>
        <translation>ここからはもうクリアできません。</translation>
    </message>
    <message>
        <source>Undo 1 step (Backspace), or C to start over.</source>
        <translation>1 手戻す (Backspace) か、C で最初から。</translation>
    </message>
    <message>
        <source>Undo %1 steps (Backspace), or C to start over.</source>
        <translation>%1 手戻す (Backspace) か、C で最初から。</translation>
    </message>
    <message>
        <source>Press C to start over.</source>
        <translation>C で最初からやり直してください。</translation>
    </message>
    <message>
        <source>1 step to clear from here.</source>
        <translation>ここからクリアまで 1 手。</translation>
    </message>
    <message>
        <source>%1 steps to clear from here.</source>
        <translation>ここからクリアまで %1 手。</translation>
    </message>
    <message>
        <source>Par %1 is still within reach.</source>
        <translation>パー %1 はまだ狙えます。</translation>
    </message>
    <message>
        <source>Par %1 is out of reach now.</source>
        <translation>パー %1 にはもう届きません。</translation>
    </message>
    <message>
        <source>Thinking...</source>
        <translation>考え中...</translation>
    </message>
    <message>
        <source>Too large to search within the memory bound.</source>
        <translation>大きすぎてメモリの上限内では探索できません。</translation>
    </message>
    <message>
        <source>Click or drag to paint; right button empties; F5 plays the stage here</source>
        <translation>クリックかドラッグで塗る、右ボタンで空にする、F5 でここで遊ぶ</translation>
    </message>
    <message>
        <source>Untitled stage</source>
        <translation>無題のステージ</translation>
    </message>
    <message>
        <source>Quillon stage editor</source>
        <translation>Quillon ステージエディタ</translation>
    </message>
    <message>
        <source>%1 (the solver's optimum)</source>
        <translation>%1 (ソルバーの最短手数)</translation>
    </message>
    <message>
        <source>none: not solvable</source>
        <translation>なし: 解けません</translation>
    </message>
    <message>
        <source>Judged in %1 s</source>
        <translation>判定 %1 秒</translation>
    </message>
    <message>
        <source>The stage has changes that are not saved. Save them first?</source>
        <translation>ステージに保存していない変更があります。先に保存しますか？</translation>
    </message>
    <message>
        <source>Stages (*.stage *.map);;All files (*)</source>
        <translation>ステージ (*.stage *.map);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 を読み込めません。</translation>
    </message>
    <message>
        <source>%1 is not a stage: %2</source>
        <translation>%1 はステージではありません: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written.</source>
        <translation>%1 に書き込めません。</translation>
    </message>
    <message>
        <source>Stage sources (*.stage)</source>
        <translation>ステージソース (*.stage)</translation>
    </message>
    <message>
        <source>Stage files (*.map)</source>
        <translation>ステージファイル (*.map)</translation>
    </message>
    <message>
        <source>The game cannot be started.</source>
        <translation>ゲームを起動できません。</translation>
    </message>
</context>
<context>
    <name>VerdictPanel</name>
    <message>
        <source>needed: unsolvable without it</source>
        <translation>必要: ないと解けない</translation>
    </message>
    <message numerus="yes">
        <source>needed: %n step(s) longer without it</source>
        <translation>
            <numerusform>必要: ないと %n 歩長くなる</numerusform>
        </translation>
    </message>
    <message>
        <source>not needed: as short without it</source>
        <translation>不要: なくても同じ手数</translation>
    </message>
    <message numerus="yes">
        <source>a hazard: %n step(s) shorter without it</source>
        <translation>
            <numerusform>邪魔: ないと %n 歩短くなる</numerusform>
        </translation>
    </message>
    <message>
        <source>not known: too large to tell</source>
        <translation>不明: 大きすぎて判定できない</translation>
    </message>
    <message>
        <source>no play clears it</source>
        <translation>どう遊んでもクリアできない</translation>
    </message>
    <message>
        <source>not within 254 steps</source>
        <translation>254 歩以内に解けない</translation>
    </message>
    <message>
        <source>too large to search</source>
        <translation>大きすぎて探索できない</translation>
    </message>
    <message>
        <source>arrow</source>
        <translation>矢印</translation>
    </message>
    <message>
        <source>burst</source>
        <translation>バースト</translation>
    </message>
    <message>
        <source>warp W</source>
        <translation>ワープ W</translation>
    </message>
    <message>
        <source>warp M</source>
        <translation>ワープ M</translation>
    </message>
    <message>
        <source>eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>goal %1</source>
        <translation>ゴール %1</translation>
    </message>
    <message>
        <source>solvable again</source>
        <translation>再び解ける</translation>
    </message>
    <message>
        <source>no longer solvable</source>
        <translation>解けなくなった</translation>
    </message>
    <message>
        <source>optimum %1 → %2</source>
        <translation>最短 %1 → %2</translation>
    </message>
    <message>
        <source>positions %1 → %2</source>
        <translation>局面 %1 → %2</translation>
    </message>
    <message>
        <source>dead positions %1 → %2</source>
        <translation>詰み局面 %1 → %2</translation>
    </message>
    <message>
        <source>a trap now after %1 moves</source>
        <translation>%1 手で罠が現れた</translation>
    </message>
    <message>
        <source>no trap any more</source>
        <translation>罠がなくなった</translation>
    </message>
    <message>
        <source>shallowest trap %1 → %2 moves</source>
        <translation>最浅の罠 %1 → %2 手</translation>
    </message>
    <message>
        <source>optimal plans %1 → %2</source>
        <translation>最短の筋 %1 → %2</translation>
    </message>
    <message>
        <source>%1 now needed</source>
        <translation>%1 が必要になった</translation>
    </message>
    <message>
        <source>%1 no longer needed</source>
        <translation>%1 が不要になった</translation>
    </message>
    <message>
        <source>%1 gone</source>
        <translation>%1 がなくなった</translation>
    </message>
    <message>
        <source>breaks rule %1 now</source>
        <translation>規則 %1 を破るようになった</translation>
    </message>
    <message>
        <source>keeps rule %1 again</source>
        <translation>規則 %1 を再び守る</translation>
    </message>
    <message numerus="yes">
        <source>&lt;b&gt;Solvable&lt;/b&gt;: optimum %n step(s)</source>
        <translation>
            <numerusform>&lt;b&gt;解ける&lt;/b&gt;: 最短 %n 歩</numerusform>
        </translation>
    </message>
    <message>
        <source>&lt;b&gt;Not solvable&lt;/b&gt;: %1</source>
        <translation>&lt;b&gt;解けない&lt;/b&gt;: %1</translation>
    </message>
    <message>
        <source>Positions: %1 reachable</source>
        <translation>局面: 到達可能 %1</translation>
    </message>
    <message>
        <source>Dead positions: %1</source>
        <translation>詰み局面: %1</translation>
    </message>
    <message>
        <source>Shallowest trap: none</source>
        <translation>最浅の罠: なし</translation>
    </message>
    <message>
        <source>Shallowest trap: after %1 moves (%2)</source>
        <translation>最浅の罠: %1 手目 (%2)</translation>
    </message>
    <message>
        <source>Positions: too many to follow them all</source>
        <translation>局面: 多すぎて全部は追えない</translation>
    </message>
    <message>
        <source>Distinct optimal plans: %1%2</source>
        <translation>異なる最短の筋: %1%2</translation>
    </message>
    <message>
        <source>Tiles:</source>
        <translation>タイル:</translation>
    </message>
    <message>
        <source> none</source>
        <translation> なし</translation>
    </message>
    <message>
        <source>rule %1 (%2): %3</source>
        <translation>規則 %1 (%2): %3</translation>
    </message>
    <message>
        <source>Design rules:</source>
        <translation>設計規則:</translation>
    </message>
    <message>
        <source> all kept</source>
        <translation> すべて守っている</translation>
    </message>
</context>
<context>
    <name>Palette</name>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
    <message>
        <source>mark 1</source>
        <translation>マーク 1</translation>
    </message>
    <message>
        <source>mark 2</source>
        <translation>マーク 2</translation>
    </message>
    <message>
        <source>mark 3</source>
        <translation>マーク 3</translation>
    </message>
    <message>
        <source>mark 4</source>
        <translation>マーク 4</translation>
    </message>
    <message>
        <source>goal 1</source>
        <translation>ゴール 1</translation>
    </message>
    <message>
        <source>goal 2</source>
        <translation>ゴール 2</translation>
    </message>
    <message>
        <source>goal 3</source>
        <translation>ゴール 3</translation>
    </message>
    <message>
        <source>goal 4</source>
        <translation>ゴール 4</translation>
    </message>
    <message>
        <source>floor</source>
        <translation>床</translation>
    </message>
    <message>
        <source>warp W</source>
        <translation>ワープ W</translation>
    </message>
    <message>
        <source>warp M</source>
        <translation>ワープ M</translation>
    </message>
    <message>
        <source>arrow up</source>
        <translation>上矢印</translation>
    </message>
    <message>
        <source>arrow right</source>
        <translation>右矢印</translation>
    </message>
    <message>
        <source>arrow down</source>
        <translation>下矢印</translation>
    </message>
    <message>
        <source>arrow left</source>
        <translation>左矢印</translation>
    </message>
    <message>
        <source>burst</source>
        <translation>バースト</translation>
    </message>
    <message>
        <source>eraser</source>
        <translation>消しゴム</translation>
    </message>
    <message>
        <source>start</source>
        <translation>スタート</translation>
    </message>
</context>
</TS>
