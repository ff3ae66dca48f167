#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace quorvel::editor {

// The nineteen button groups of the operator palette, by their design names.
enum class PaletteGroup {
    denghao,
    kuohao,
    putongyunsuan,
    biaohao,
    sanjiao,
    duishu,
    heji,
    juzhen,
    jiecheng,
    daoshu,
    fuhao1,
    fuhao2,
    jihe,
    zuhe,
    sec,
    chenghao,
    dayu,
    teshufuhao,
    teshuzimu,
};
inline constexpr int kPaletteGroupCount = 19;

// What pressing a keypad or palette button does.
enum class ButtonAction {
    Insert,      // inserts its template at the caret
    OpenGroup,   // opens a palette group under the button
    Matrix,      // inserts "matrix()", then asks for the dimensions
    Determinant, // inserts "range()", then asks for the dimensions
    Inactive,    // does nothing; the palette stays open
    Shift,       // editing keys above the keypad
    Left,
    Right,
    Backspace,
    Clear,
};

// A worked example the editor shows beside the input: its markup and the picture file in "tubiaolizi".
struct Example {
    std::string_view markup;  // empty: no example
    std::string_view picture; // file name such as "jifen.bmp"; empty: no picture
    bool present() const { return !markup.empty(); }
};

// What a button inserts and where the caret goes: the text replaces the selection, then the caret moves
// caretBack characters (code points) left from the end of the inserted text and selectLength characters
// from there to the right are selected.
struct Template {
    std::string_view text;
    int caretBack = 0;
    int selectLength = 0;
    Example example;
};

// One button of the editor's keypad (the two panels under the input) or its editing keys.
struct KeypadButton {
    std::string_view objectName; // design name where the design gives one, else empty
    std::string_view caption;
    std::string_view hint; // tooltip and accessible name
    ButtonAction action = ButtonAction::Insert;
    Template normal;
    std::optional<Template> shifted;    // with Shift on; nullopt: the same as normal
    PaletteGroup group{};               // for OpenGroup
    bool plottable = true;              // false: disabled while a curve or calculation is edited
    int panel = 0, row = 0, column = 0; // place: panel 0 is the editing-key row, 1 and 2 the keypad
};

// One button of a palette group.
struct PaletteButton {
    std::string_view caption;
    std::string_view hint;
    ButtonAction action = ButtonAction::Insert; // Insert, Matrix, Determinant or Inactive
    Template insert;
    bool plottable = true; // false: disabled while a curve or calculation is edited
};

struct PaletteGroupSpec {
    PaletteGroup group{};
    std::string_view name;       // design name of the group panel ("denghao" ...)
    std::string_view openerHint; // hint of its class button in the editor's class row
    int columns = 8;             // buttons per row when the group is laid out
    bool plottable = true;       // false: its class button is disabled while a curve or calculation is edited
    std::span<const PaletteButton> buttons;
};

std::span<const KeypadButton> keypadButtons();
std::span<const PaletteGroupSpec> paletteGroups();
const PaletteGroupSpec& paletteGroup(PaletteGroup group);

// Every example markup with its picture name, keypad and palette together, each picture once.
struct ExamplePicture {
    std::string_view picture;
    std::string_view markup;
};
std::span<const ExamplePicture> examplePictures();

// The worked examples, shared by the keypad and the palette buttons that insert the same construct.
namespace examples {
inline constexpr Example kaifang{"ext(x,n)", "kaifang.bmp"};
inline constexpr Example cifangyunsuan{"cub(x,n)", "cifangyunsuan.bmp"};
inline constexpr Example kaipingfanggen{"sqrt(x)", "kaipingfanggen.bmp"};
inline constexpr Example ln{"ln(x)", "ln.bmp"};
inline constexpr Example lg{"lg(x)", "lg.bmp"};
inline constexpr Example log{"log(a,b)", "log.bmp"};
inline constexpr Example jifen{"ing1(a;b,x,x)", "jifen.bmp"};
inline constexpr Example lim{"lim(x,∞,f(x))", "lim.bmp"};
inline constexpr Example xiangliang{"vec(AB)", "xiangliang.bmp"};
inline constexpr Example qiuhe{"sum(i=0,n,x_ _i)", "qiuhe.bmp"};
inline constexpr Example qiuji{"prod(i=0,n,x_ _i)", "qiuji.bmp"};
inline constexpr Example daoshu2{"derive(y,x)", "daoshu2.bmp"};
inline constexpr Example daoshu1{"pderive(y,x)", "daoshu1.bmp"};
inline constexpr Example danhang{"f(x)=con(1,x,x>0)", "danhang.bmp"};
inline constexpr Example youtiaojian{"lak(3,con(2,x+1,x>0;x<3);con(2,x-1,x>3;x<5);con(1,sqrt(x),x>6))",
                                     "youtiaojian.bmp"};
inline constexpr Example fangchengzu{"lak(3,x_1+x_2+x_3=3;3*x_1+5*x_2=9;2*x_2-6*x_3=-3)", ""};
inline constexpr Example juzhen{"matrix(2,2,x_ _11;x_ _12;x_ _21;x_ _22)", "juzhen.bmp"};
inline constexpr Example hanglieshi{"range(2,2,x_ _11;x_ _12;x_ _21;x_ _22)", "hanglieshi.bmp"};
inline constexpr Example shangxiabiao{"tab(i,j,x)", "shangxiabiao.bmp"};
inline constexpr Example shangbiao{"tab(i,,x)", "shangbiao.bmp"};
inline constexpr Example xiabiao{"tab(,j,x)", "xiabiao.bmp"};
inline constexpr Example bingji{"unit(i=1,n,x_ _i)", "bingji.bmp"};
inline constexpr Example jiaoji{"inter(i=1,n,x_ _i)", "jiaoji.bmp"};
} // namespace examples

} // namespace quorvel::editor
