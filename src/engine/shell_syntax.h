#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wyn::shell {

// The part of the POSIX shell language a wrapper script is read in, parsed as
// dash parses it: one complete command (a line, or more for a compound
// command and its here-documents) at a time. Whatever the two shells a
// "#!/bin/sh" may be (dash, bash) could parse differently is refused.

// Thrown for what the reading cannot follow: a syntax it does not know or
// that is wrong, the end of a script cut short, a limit reached.
struct Unfollowable {};

struct Node;
struct Part;
using Word = std::vector<Part>;

enum class PartKind {
    Text,          // characters
    Parameter,     // $name, ${name}, ${name OP word}, $1, $@, ...
    Substitution,  // $(...) or `...`
    Unknown,       // what the reading never tells: a tilde (the home)
};

struct Part {
    PartKind kind = PartKind::Text;
    // In double or single quotes, or escaped: neither split nor a pattern.
    bool quoted = false;
    // The characters, or the parameter's name ("x", "1", "@", "#", ...).
    std::string text;
    // A parameter's operator: "" (none), "length", "-", ":-", "=", ":=", "+",
    // ":+", "?", ":?", "#", "##", "%", "%%", and the word after it.
    std::string op;
    Word word;
    // A substitution's commands.
    const Node* command = nullptr;
};

enum class NodeKind {
    Simple,
    Pipeline,
    AndOr,
    Sequence,
    If,
    While,
    Until,
    For,
    Case,
    Group,
    Subshell,
    Function,
};

struct Redirection {
    int fd = -1;  // -1: the operator's own (0 for input, 1 for output)
    std::string op;
    Word target;  // a file, a descriptor, or a here-document's delimiter
    Word body;    // a here-document's text
    bool expandBody = false;
};

struct Assignment {
    std::string name;
    Word value;
};

struct CaseItem {
    std::vector<Word> patterns;
    const Node* body = nullptr;  // none for an empty item
};

struct Node {
    NodeKind kind = NodeKind::Simple;
    std::vector<Assignment> assignments;    // Simple
    std::vector<Word> words;                // Simple; For: its list
    std::vector<Redirection> redirections;  // Simple and compound commands
    // Pipeline: its commands; AndOr: its pipelines; Sequence: its and-or
    // lists; If: condition and body pairs, then the else body; While, Until:
    // condition and body; For: body; Group, Subshell, Function: body.
    std::vector<const Node*> children;
    std::vector<bool> andThen;     // AndOr: "&&" (true) or "||" before each next
    std::vector<bool> background;  // Sequence: each list ended by '&'
    bool negated = false;          // Pipeline: '!'
    std::string name;              // For: its variable; Function: its name
    bool listGiven = false;        // For: "in" given
    Word subject;                  // Case
    std::vector<CaseItem> items;   // Case
};

// Reads a script one complete command at a time. complete: the bytes are the
// whole script (otherwise reaching their end is unfollowable).
class Parser {
public:
    Parser(std::string_view script, bool complete);
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // The next complete command, nullptr at the end of the script; the nodes
    // live as long as the parser.
    const Node* next();

    bool isName(std::string_view text) const;

private:
    struct Token {
        enum Type { Word, Operator, Newline, End } type = End;
        std::string op;
        wyn::shell::Word word;
        std::string plain;  // the word's characters when it has no quotes or expansions
        bool plainWord = false;
        int ioNumber = -1;  // Operator: a redirection's descriptor
    };

    Node* make(NodeKind kind);
    const Token& peek();
    Token take();
    bool peekOperator(std::string_view op);
    bool peekReserved(std::string_view word);
    void expectReserved(std::string_view word);
    void skipNewlines();
    bool atListEnd();

    const Node* compoundList(bool allowEmpty);
    const Node* andOr();
    const Node* pipeline();
    const Node* command();
    Node* compoundCommand();
    Node* ifClause();
    Node* loopClause(NodeKind kind);
    Node* forClause();
    Node* caseClause();
    Node* group(NodeKind kind, std::string_view close);
    void redirections(Node& node);
    bool redirection(Node& node);

    Token lex();
    void skipBlanks();
    char at(std::size_t offset = 0);
    bool atEnd();
    enum class Context { Unquoted, DoubleQuotes, UnquotedBraces, QuotedBraces, HereDocument };
    wyn::shell::Word wordIn(Context context);
    void refuseContinuation(std::size_t offset);
    void dollar(wyn::shell::Word& word, bool quoted);
    void parameter(wyn::shell::Word& word, bool quoted);
    void substitution(wyn::shell::Word& word, bool quoted);
    void backquote(wyn::shell::Word& word, bool quoted);
    void hereDocuments();
    void enter();

    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_complete;
    int m_depth = 0;
    bool m_peeked = false;
    Token m_peek;
    std::vector<std::pair<Node*, std::size_t>> m_pendingDocuments;  // node, redirection
    std::deque<std::unique_ptr<Node>> m_nodes;
    std::deque<std::string> m_texts;  // the texts of backquoted commands
};

}  // namespace wyn::shell
