<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>Quillon</name>
    <message>
        <source>Quillon</source>
        <translation>Quillon</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>属性</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>描画方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>読み込み(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前をつけて保存(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>画像の読み込み(&amp;G)</source>
        <translation>Load &amp;Graphic</translation>
    </message>
    <message>
        <source>ステージ(&amp;T)</source>
        <translation>S&amp;tage</translation>
    </message>
    <message>
        <source>ステージエディタ(&amp;E)</source>
        <translation>Stage &amp;Editor</translation>
    </message>
    <message>
        <source>オブジェクトサイズ</source>
        <translation>Object Size</translation>
    </message>
    <message>
        <source>横</source>
        <translation>W</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>H</translation>
    </message>
    <message>
        <source>ドット</source>
        <translation>dots</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ObjData File(*.obj)</source>
        <translation>ObjData File(*.obj)</translation>
    </message>
    <message>
        <source>Image File(*.bfg)</source>
        <translation>Image File(*.bfg)</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>上書き保存しますか？</source>
        <translation>Overwrite the file?</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>画像のサイズは指定したオブジェクトの
横の倍率である必要があります。</source>
        <translation>The picture's width must be
a multiple of the object width.</translation>
    </message>
    <message>
        <source>画像を読み込めませんでした。</source>
        <translation>The picture could not be read.</translation>
    </message>
    <message>
        <source>オブジェクトが多すぎます。
保存できるのは255個までです。</source>
        <translation>Too many objects.
At most 255 can be saved.</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>データのセーブに失敗しました。</source>
        <translation>The data could not be saved.</translation>
    </message>
    <message>
        <source>データのロードに失敗しました。</source>
        <translation>The data could not be loaded.</translation>
    </message>
</context>
</TS>
