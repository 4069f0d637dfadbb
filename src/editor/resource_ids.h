// SPDX-License-Identifier: GPL-3.0-or-later
// Ids and texts of the editor's dialogs, menu and messages.
#pragma once

namespace quillon {

// Dialog and menu resources.
inline constexpr int kMainDialogId = 101;
inline constexpr int kMainMenuId = 102;
inline constexpr int kSizeDialogId = 103;

// Commands shared by both dialogs.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Controls of the main dialog.
inline constexpr int kIdObjectList = 1001;
inline constexpr int kIdNameEdit = 1002;
inline constexpr int kIdAttributeEdit = 1003;
inline constexpr int kIdWrite = 1004;
inline constexpr int kIdDirectionUp = 1006;  // then right, down, left
inline constexpr int kIdDirectionRight = 1007;
inline constexpr int kIdDirectionDown = 1008;
inline constexpr int kIdDirectionLeft = 1009;

// Controls of the object-size dialog.
inline constexpr int kIdWidthEdit = 1010;
inline constexpr int kIdHeightEdit = 1011;

// Menu commands.
inline constexpr int kIdNew = 40006;
inline constexpr int kIdOpen = 40007;
inline constexpr int kIdSave = 40008;
inline constexpr int kIdSaveAs = 40009;
inline constexpr int kIdLoadPicture = 40010;
// Beyond the object editor's menu: opens the stage editor window.
inline constexpr int kIdStageEditor = 40011;

// Longest text read back from an edit box.
inline constexpr int kMaxEditText = 254;

namespace text {
inline constexpr const char* kMainCaption = "Quillon";
inline constexpr const char* kNameLabel = "名前";
inline constexpr const char* kAttributeLabel = "属性";
inline constexpr const char* kWriteButton = "Write";
inline constexpr const char* kDirectionLabel = "描画方向";
inline constexpr const char* kDirections[4] = {"上", "右", "下", "左"};

inline constexpr const char* kFileMenu = "ファイル(&F)";
inline constexpr const char* kNewCommand = "新規作成(&N)";
inline constexpr const char* kOpenCommand = "読み込み(&O)";
inline constexpr const char* kSaveCommand = "上書き保存(&S)";
inline constexpr const char* kSaveAsCommand = "名前をつけて保存(&A)";
inline constexpr const char* kLoadPictureCommand = "画像の読み込み(&G)";
inline constexpr const char* kStageMenu = "ステージ(&T)";
inline constexpr const char* kStageEditorCommand = "ステージエディタ(&E)";

inline constexpr const char* kSizeCaption = "オブジェクトサイズ";
inline constexpr const char* kWidthLabel = "横";
inline constexpr const char* kHeightLabel = "縦";
inline constexpr const char* kDots = "ドット";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "キャンセル";

inline constexpr const char* kObjFilter = "ObjData File(*.obj)";
inline constexpr const char* kObjSuffix = "obj";
inline constexpr const char* kPictureFilter = "Image File(*.bfg)";
inline constexpr const char* kPictureSuffix = "bfg";

inline constexpr const char* kNewObjectName = "name";
inline constexpr const char* kNewObjectAttribute = "0";

inline constexpr const char* kConfirmCaption = "確認";
inline constexpr const char* kConfirmOverwrite = "上書き保存しますか？";
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kSizeMismatch =
    "画像のサイズは指定したオブジェクトの\n横の倍率である必要があります。";
inline constexpr const char* kPictureUnreadable = "画像を読み込めませんでした。";
inline constexpr const char* kTooManyObjects =
    "オブジェクトが多すぎます。\n保存できるのは255個までです。";
inline constexpr const char* kFileErrorCaption = "error";
inline constexpr const char* kSaveFailed = "データのセーブに失敗しました。";
inline constexpr const char* kLoadFailed = "データのロードに失敗しました。";
}  // namespace text

}  // namespace quillon
