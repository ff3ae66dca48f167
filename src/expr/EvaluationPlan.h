#pragma once

#include <cstdint>
#include <vector>

namespace quorvel::expr {

struct ExprNode;
class VariableTable;

// A subtree flattened for evaluation: one step per node in the order the rules run (children before
// their node), so that evaluating once per pixel column is a loop without recursion or allocation.
struct EvaluationPlan {
    enum class Op : std::uint8_t {
        // leaves
        LeafX,
        LeafPi,
        LeafName,
        LeafDegrees,
        // one operand
        Copy,
        Sqrt,
        Sin,
        Cos,
        Tg,
        Ctg,
        Abs,
        Negate,
        Arcsin,
        Arccos,
        Arctg,
        Arcctg,
        Sec,
        Csc,
        Sgn,
        Sh,
        Ch,
        Th,
        Exp,
        Ln,
        Lg,
        Fac,
        Pd,
        Integral,
        // two operands
        Add,
        Sub,
        Mul,
        Div,
        Log,
        Les,
        Ges,
        Lts,
        Gts,
        Eql,
        Nes,
        Combinations,
        Permutations,
        Power,
        Root,
        // no value at all, or no rule of its own
        Undefined,
        NoRule,
    };

    struct Step {
        ExprNode* node;
        const double* a; // value of `first`
        const double* b; // value of `second`
        Op op;
        int slot; // LeafName: index in the variable table, -1 if not there
    };

    std::vector<Step> steps;
    // The table the names were looked up in, and its generation then.
    const VariableTable* table = nullptr;
    std::uint64_t generation = 0;
    // When this plan is the integrand of an integral: the integral's result in evaluation pass
    // integralPass (0: none yet).
    std::uint64_t integralPass = 0;
    bool integralDefined = false;
    double integralValue = 0;
};

} // namespace quorvel::expr
