#pragma once

#include <string>

namespace quorvel::app {

// Two-state commands carry their state in their captions.
inline constexpr const char* kShowGrid = "显示网格(&Z)";
inline constexpr const char* kHideGrid = "隐藏网格(&Z)";
inline constexpr const char* kHideAxes = "隐藏坐标系(&Y)";
inline constexpr const char* kShowAxes = "显示坐标系(&Y)";
inline constexpr const char* kHideToolBar = "隐藏工具栏(&H)";
inline constexpr const char* kShowToolBar = "显示工具栏(&H)";
inline constexpr const char* kHideTemplateBar = "隐藏模板栏(&M)";
inline constexpr const char* kShowTemplateBar = "显示模板栏(&M)";

// Questions before a changed experiment is discarded.
inline constexpr const char* kSaveQuestion = "要保存当前的实验吗？";
inline constexpr const char* kSaveBeforeQuitQuestion = "退出前要保存当前的实验吗？";

inline constexpr const char* kProgramCaption = "Quorvel";
// The name a document has until it is saved.
inline constexpr const char* kUntitled = "未命名";
// The print job of a document: "Quorvel--" and its file name.
inline constexpr const char* kPrintJobPrefix = "Quorvel--";

// A file of this program's format that breaks off: the objects before the damage can still be opened.
inline std::string damagedFileQuestion(const std::string& fileName, int objectsBefore) {
    return "文件“" + fileName + "”已损坏，只能读出损坏处之前的" + std::to_string(objectsBefore) +
           "个对象。要打开这些对象吗？";
}

} // namespace quorvel::app
