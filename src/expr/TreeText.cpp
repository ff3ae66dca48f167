// linkParents and treeToText: walks over a built tree.
#include "expr/Parser.h"

namespace quorvel::expr {

namespace {

void linkBelow(ExprNode* node) {
    // Items of a list are walked in a loop: a chain of thousands of cells must not recurse per cell.
    for (ExprNode* item = node; item; item = item->next.get()) {
        for (ExprNode* child : {item->first.get(), item->second.get(), item->third.get()}) {
            if (child) {
                child->parent = item;
                linkBelow(child);
            }
        }
        if (item->next) item->next->parent = item;
    }
}

bool writesOperandsSwapped(Keyword kind) {
    return kind == Keyword::Cub || kind == Keyword::Ind || kind == Keyword::Ext || kind == Keyword::C ||
           kind == Keyword::P;
}

void writeNode(const ExprNode* node, std::string& out);

// Items of a list, separated by ";".
void writeChain(const ExprNode* item, std::string& out) {
    for (; item; item = item->next.get()) {
        writeNode(item, out);
        if (item->next) out += ';';
    }
}

void writeNode(const ExprNode* node, std::string& out) {
    if (!node) return;
    if (!node->first) {
        out += node->text;
        return;
    }
    const Keyword exact = node->exactKind;
    char open = '(';
    char close = ')';
    if (exact == Keyword::Bracket) {
        open = '[';
        close = ']';
    } else if (exact == Keyword::Brace) {
        open = '{';
        close = '}';
    } else if (exact != Keyword::Paren) {
        out += node->text;
    }
    out += open;
    if (writesOperandsSwapped(node->kind) && node->second) {
        // Written in the order typed (base or radicand first), so that building the text gives the
        // same tree again.
        writeNode(node->second.get(), out);
        out += ',';
        writeNode(node->first.get(), out);
        if (node->third) {
            out += ',';
            writeNode(node->third.get(), out);
        }
        out += close;
        return;
    }
    writeNode(node->first.get(), out);
    if (exact == Keyword::Ing1) {
        out += ';';
        writeNode(node->first->next.get(), out);
    }
    if (exact == Keyword::Lak) {
        out += ',';
        writeChain(node->second.get(), out);
    } else if (node->second) {
        out += ',';
        writeNode(node->second.get(), out);
        if (exact == Keyword::Matrix || exact == Keyword::Range || exact == Keyword::Con) {
            out += ',';
            writeChain(node->third.get(), out);
        } else if (node->third) {
            out += ',';
            writeNode(node->third.get(), out);
        }
    }
    out += close;
}

} // namespace

void linkParents(ExprNode* root) {
    if (!root) return;
    root->parent = nullptr;
    linkBelow(root);
}

std::string treeToText(const ExprNode* node) {
    std::string out;
    writeNode(node, out);
    return out;
}

} // namespace quorvel::expr
