#pragma once

#include "base/UiText.h"

#include <string>

namespace quorvel::app {

// Two-state commands carry their state in their captions.
inline constexpr const char* kShowGrid = UI_TEXT("显示网格(&Z)");
inline constexpr const char* kHideGrid = UI_TEXT("隐藏网格(&Z)");
inline constexpr const char* kHideAxes = UI_TEXT("隐藏坐标系(&Y)");
inline constexpr const char* kShowAxes = UI_TEXT("显示坐标系(&Y)");
inline constexpr const char* kHideToolBar = UI_TEXT("隐藏工具栏(&H)");
inline constexpr const char* kShowToolBar = UI_TEXT("显示工具栏(&H)");
inline constexpr const char* kHideTemplateBar = UI_TEXT("隐藏模板栏(&M)");
inline constexpr const char* kShowTemplateBar = UI_TEXT("显示模板栏(&M)");

// Questions before a changed experiment is discarded.
inline constexpr const char* kSaveQuestion = UI_TEXT("要保存当前的实验吗？");
inline constexpr const char* kSaveBeforeQuitQuestion = UI_TEXT("退出前要保存当前的实验吗？");

inline constexpr const char* kProgramCaption = "Quorvel";
// The name a document has until it is saved.
inline constexpr const char* kUntitled = UI_TEXT("未命名");
// The print job of a document: "Quorvel--" and its file name.
inline constexpr const char* kPrintJobPrefix = "Quorvel--";

// A file of this program's format that breaks off: the objects before the damage can still be opened.
inline std::string damagedFileQuestion(const std::string& fileName, int objectsBefore) {
    return fillTemplate(UI_TEXT("文件“%1”已损坏，只能读出损坏处之前的%2个对象。要打开这些对象吗？"),
                        {fileName, std::to_string(objectsBefore)});
}

// The help page is installed beside the program; without it the help command says where it looked.
inline std::string helpMissingMessage(const std::string& path) {
    return fillTemplate(UI_TEXT("找不到帮助文件：%1"), {path});
}

} // namespace quorvel::app
