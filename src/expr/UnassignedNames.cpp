#include "expr/UnassignedNames.h"

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "expr/Parser.h"

namespace quorvel::expr {

std::vector<std::string> namesTakenAsZero(std::string_view functionForm, const VariableTable& given,
                                          PlottingVariable x) {
    RecordingSink quiet;
    Engine engine(quiet);
    std::string refusal;
    // The function form the conversion already made is expanded, not the markup converted again.
    const std::string expanded = expandPiecewise(engine, functionForm, &refusal, TextKind::FunctionForm);
    if (!refusal.empty()) return {};
    const ExprTree tree = buildTree(expanded, &refusal);
    if (!refusal.empty()) return {};
    collectVariables(engine, evaluatedNode(tree.get()), x);
    std::vector<std::string> names;
    for (int i = 0; i < engine.variables.count(); ++i) {
        const std::string& name = engine.variables.name(i);
        // Constants come with their value; what the user set counts even when it is 0.
        if (engine.variables.value(i) == 0 && given.find(name) < 0) names.push_back(name);
    }
    return names;
}

std::string takenAsZeroNote(const std::vector<std::string>& names, std::string_view separator) {
    if (names.empty()) return {};
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : std::string(separator)) + name;
    return fillTemplate(UI_TEXT("以下名称没有赋值，按0计算：%1。可用“变量赋值”给出它们的值。"), {list});
}

} // namespace quorvel::expr
