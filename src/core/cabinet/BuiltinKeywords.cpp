#include "core/cabinet/BuiltinKeywords.h"

namespace quarn {

namespace {

constexpr KeywordEntry kCKeywords[] = {
    "__asm",     "__fastcall", "__self",     "auto",      "float",     "__segment",   "__based",
    "for",       "__segname",  "break",      "__fortran", "short",     "case",        "goto",
    "signed",    "__cdecl",    "__huge",     "sizeof",    "char",      "if",          "static",
    "const",     "__inline",   "struct",     "continue",  "int",       "switch",      "default",
    "__interrupt", "typedef",  "do",         "__loadds",  "union",     "double",      "long",
    "unsigned",  "else",       "__near",     "void",      "enum",      "__pascal",    "volatile",
    "__export",  "register",   "while",      "extern",    "return",    "__far",       "__saveregs",
    "#define",   "#error",     "#include",   "#elif",     "#if",       "#line",       "#else",
    "#ifdef",    "#pragma",    "#endif",     "#ifndef",   "#undef",    "_based",      "_segname",
    "fortran",   "_fortran",   "_cdecl",     "cdecl",     "huge",      "_huge",       "_inline",
    "interrupt", "_interrupt", "_loadds",    "near",      "_near",     "pascal",      "_pascal",
    "_export",   "far",        "_far",       "_saveregs",
};
static_assert(std::size(kCKeywords) == 81);

constexpr KeywordEntry kCppKeywords[] = {
    "class",  "operator", "try",       "delete", "private",  "virtual",
    "friend", "protected", "__multiple_inheritance", "inline", "public",
    "__single_inheritance", "new", "this", "__virtual_inheritance",
};
static_assert(std::size(kCppKeywords) == 15);

}  // namespace

std::span<const KeywordEntry> CKeywords() { return kCKeywords; }
std::span<const KeywordEntry> CppKeywords() { return kCppKeywords; }

}  // namespace quarn
