#pragma once

#include "base/UiText.h"

namespace quorvel::document {

// Shown when a file does not read as a document.
inline constexpr const char* kNotOurFileMessage = UI_TEXT("该文件不是本软件的存储文件,不能打开!");
// Shown when a file held more objects than a document can: the extra ones were not read.
inline constexpr const char* kObjectsCutMessage = UI_TEXT("文件中的注释或函数超过999个,多余的部分没有读入!");
// Shown when a file holds a graph item of a kind this program does not know; nothing of it is opened.
inline constexpr const char* kUnknownKindMessage =
    UI_TEXT("文件中有本程序不认识的图形对象，可能是更新的版本保存的，不能打开!");
// Shown when a command would add an object to a full list.
inline constexpr const char* kListFullMessage = UI_TEXT("实验中的对象已达到999个,不能再添加!");

} // namespace quorvel::document
