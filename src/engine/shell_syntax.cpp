#include "engine/shell_syntax.h"

#include <algorithm>
#include <array>

namespace wyn::shell {

namespace {

constexpr int kMaxNesting = 64;

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isMeta(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == ';' || c == '&' || c == '|' || c == '<' ||
           c == '>' || c == '(' || c == ')';
}

// The words that end a compound list where a command could begin.
constexpr std::array kClosingWords{"then", "else", "elif", "fi", "do", "done", "esac", "}"};
// Words bash reads as its own syntax where dash reads a command.
constexpr std::array kForeignWords{"function", "select", "coproc"};

void addText(Word& word, char c, bool quoted) {
    if (word.empty() || word.back().kind != PartKind::Text || word.back().quoted != quoted) {
        word.push_back(Part{PartKind::Text, quoted, {}, {}, {}, nullptr});
    }
    word.back().text += c;
}

void addEmptyQuoted(Word& word) {
    word.push_back(Part{PartKind::Text, true, {}, {}, {}, nullptr});
}

[[noreturn]] void unfollowable() {
    throw Unfollowable{};
}

}  // namespace

Parser::Parser(std::string_view script, bool complete) : m_text(script), m_complete(complete) {}

bool Parser::isName(std::string_view text) const {
    return !text.empty() && isNameStart(text.front()) && std::ranges::all_of(text, isNameChar);
}

Node* Parser::make(NodeKind kind) {
    m_nodes.push_back(std::make_unique<Node>());
    m_nodes.back()->kind = kind;
    return m_nodes.back().get();
}

void Parser::enter() {
    if (++m_depth > kMaxNesting) {
        unfollowable();
    }
}

bool Parser::atEnd() {
    if (m_pos < m_text.size()) {
        return false;
    }
    if (!m_complete) {
        unfollowable();  // the script goes on past what was read
    }
    return true;
}

char Parser::at(std::size_t offset) {
    if (m_pos + offset < m_text.size()) {
        const char c = m_text[m_pos + offset];
        if (c == '\0') {
            unfollowable();
        }
        return c;
    }
    if (!m_complete) {
        unfollowable();
    }
    return '\0';
}

const Node* Parser::next() {
    m_depth = 0;
    skipNewlines();
    if (peek().type == Token::End) {
        return nullptr;
    }
    Node* sequence = make(NodeKind::Sequence);
    while (true) {
        sequence->children.push_back(andOr());
        const bool separated = peekOperator(";") || peekOperator("&");
        sequence->background.push_back(separated && take().op == "&");
        if (!separated || peek().type == Token::Newline || peek().type == Token::End) {
            break;
        }
    }
    if (peek().type == Token::Newline) {
        take();
    } else if (peek().type != Token::End) {
        unfollowable();
    }
    return sequence;
}

const Parser::Token& Parser::peek() {
    if (!m_peeked) {
        m_peek = lex();
        m_peeked = true;
    }
    return m_peek;
}

Parser::Token Parser::take() {
    peek();
    m_peeked = false;
    return std::move(m_peek);
}

bool Parser::peekOperator(std::string_view op) {
    return peek().type == Token::Operator && peek().op == op;
}

bool Parser::peekReserved(std::string_view word) {
    return peek().type == Token::Word && peek().plainWord && peek().plain == word;
}

void Parser::expectReserved(std::string_view word) {
    if (!peekReserved(word)) {
        unfollowable();
    }
    take();
}

void Parser::skipNewlines() {
    while (peek().type == Token::Newline) {
        take();
    }
}

bool Parser::atListEnd() {
    const auto& token = peek();
    if (token.type == Token::End) {
        return true;
    }
    if (token.type == Token::Operator) {
        return token.op == ")" || token.op == ";;";
    }
    return token.type == Token::Word && token.plainWord &&
           std::ranges::find(kClosingWords, token.plain) != kClosingWords.end();
}

const Node* Parser::compoundList(bool allowEmpty) {
    Node* sequence = make(NodeKind::Sequence);
    skipNewlines();
    while (!atListEnd()) {
        sequence->children.push_back(andOr());
        if (peekOperator(";") || peekOperator("&")) {
            sequence->background.push_back(take().op == "&");
        } else if (peek().type == Token::Newline) {
            sequence->background.push_back(false);
        } else {
            sequence->background.push_back(false);
            break;
        }
        skipNewlines();
    }
    if (sequence->children.empty() && !allowEmpty) {
        unfollowable();
    }
    return sequence;
}

const Node* Parser::andOr() {
    Node* node = make(NodeKind::AndOr);
    node->children.push_back(pipeline());
    while (peekOperator("&&") || peekOperator("||")) {
        node->andThen.push_back(take().op == "&&");
        skipNewlines();
        node->children.push_back(pipeline());
    }
    return node;
}

const Node* Parser::pipeline() {
    Node* node = make(NodeKind::Pipeline);
    if (peekReserved("!")) {
        take();
        node->negated = true;
        if (peekReserved("!")) {
            unfollowable();  // dash refuses "! !", bash takes it
        }
    }
    node->children.push_back(command());
    while (peekOperator("|")) {
        take();
        skipNewlines();
        node->children.push_back(command());
    }
    return node;
}

const Node* Parser::command() {
    const auto& token = peek();
    if (token.type == Token::Operator && token.op == "(") {
        return compoundCommand();
    }
    if (token.type == Token::Word && token.plainWord) {
        for (const auto* start : {"if", "while", "until", "for", "case", "{"}) {
            if (token.plain == start) {
                return compoundCommand();
            }
        }
        if (std::ranges::find(kClosingWords, token.plain) != kClosingWords.end() ||
            std::ranges::find(kForeignWords, token.plain) != kForeignWords.end()) {
            unfollowable();
        }
    }
    Node* node = make(NodeKind::Simple);
    while (true) {
        if (redirection(*node)) {
            continue;
        }
        if (peek().type != Token::Word) {
            break;
        }
        Token word = take();
        if (word.word.empty()) {
            unfollowable();
        }
        auto& first = word.word.front();
        const auto equals = first.kind == PartKind::Text && !first.quoted ? first.text.find('=')
                                                                          : std::string::npos;
        if (node->words.empty() && equals != std::string::npos && equals > 0 &&
            isName(std::string_view(first.text).substr(0, equals))) {
            Assignment assignment{first.text.substr(0, equals), std::move(word.word)};
            assignment.value.front().text.erase(0, equals + 1);
            node->assignments.push_back(std::move(assignment));
            continue;
        }
        if (node->words.empty() && node->assignments.empty() && node->redirections.empty() &&
            word.plainWord && isName(word.plain) && peekOperator("(")) {
            take();
            if (!peekOperator(")")) {
                unfollowable();
            }
            take();
            skipNewlines();
            // A function's body is a compound command; dash takes any.
            const auto& body = peek();
            const bool compound =
                (body.type == Token::Operator && body.op == "(") ||
                (body.type == Token::Word && body.plainWord &&
                 (body.plain == "{" || body.plain == "if" || body.plain == "while" ||
                  body.plain == "until" || body.plain == "for" || body.plain == "case"));
            if (!compound) {
                unfollowable();
            }
            node->kind = NodeKind::Function;
            node->name = word.plain;
            node->children.push_back(compoundCommand());
            return node;
        }
        node->words.push_back(std::move(word.word));
    }
    if (node->words.empty() && node->assignments.empty() && node->redirections.empty()) {
        unfollowable();
    }
    return node;
}

Node* Parser::compoundCommand() {
    enter();
    Node* node = nullptr;
    if (peekOperator("(")) {
        node = group(NodeKind::Subshell, ")");
    } else {
        const std::string start = peek().plain;
        if (start == "if") {
            node = ifClause();
        } else if (start == "while") {
            node = loopClause(NodeKind::While);
        } else if (start == "until") {
            node = loopClause(NodeKind::Until);
        } else if (start == "for") {
            node = forClause();
        } else if (start == "case") {
            node = caseClause();
        } else {
            node = group(NodeKind::Group, "}");
        }
    }
    --m_depth;
    redirections(*node);
    return node;
}

Node* Parser::group(NodeKind kind, std::string_view close) {
    Node* node = make(kind);
    take();
    node->children.push_back(compoundList(false));
    if (kind == NodeKind::Subshell) {
        if (!peekOperator(close)) {
            unfollowable();
        }
        take();
    } else {
        expectReserved(close);
    }
    return node;
}

Node* Parser::ifClause() {
    Node* node = make(NodeKind::If);
    take();
    node->children.push_back(compoundList(false));
    expectReserved("then");
    node->children.push_back(compoundList(false));
    while (peekReserved("elif")) {
        take();
        node->children.push_back(compoundList(false));
        expectReserved("then");
        node->children.push_back(compoundList(false));
    }
    if (peekReserved("else")) {
        take();
        node->children.push_back(compoundList(false));
    }
    expectReserved("fi");
    return node;
}

Node* Parser::loopClause(NodeKind kind) {
    Node* node = make(kind);
    take();
    node->children.push_back(compoundList(false));
    expectReserved("do");
    node->children.push_back(compoundList(false));
    expectReserved("done");
    return node;
}

Node* Parser::forClause() {
    Node* node = make(NodeKind::For);
    take();
    if (peek().type != Token::Word || !peek().plainWord || !isName(peek().plain)) {
        unfollowable();
    }
    node->name = take().plain;
    if (peekOperator(";")) {
        take();
    } else {
        skipNewlines();
        if (peekReserved("in")) {
            take();
            node->listGiven = true;
            while (peek().type == Token::Word) {
                node->words.push_back(take().word);
            }
            if (peekOperator(";") || peek().type == Token::Newline) {
                take();
            } else {
                unfollowable();
            }
        }
    }
    skipNewlines();
    expectReserved("do");
    node->children.push_back(compoundList(false));
    expectReserved("done");
    return node;
}

Node* Parser::caseClause() {
    Node* node = make(NodeKind::Case);
    take();
    if (peek().type != Token::Word) {
        unfollowable();
    }
    node->subject = take().word;
    skipNewlines();
    expectReserved("in");
    skipNewlines();
    while (!peekReserved("esac")) {
        CaseItem item;
        if (peekOperator("(")) {
            take();
        }
        do {
            if (!item.patterns.empty()) {
                take();  // '|'
            }
            if (peek().type != Token::Word) {
                unfollowable();
            }
            item.patterns.push_back(take().word);
        } while (peekOperator("|"));
        if (!peekOperator(")")) {
            unfollowable();
        }
        take();
        const Node* body = compoundList(true);
        item.body = body->children.empty() ? nullptr : body;
        node->items.push_back(std::move(item));
        if (!peekOperator(";;")) {
            skipNewlines();
            break;  // the last item may go without ";;"
        }
        take();
        skipNewlines();
    }
    expectReserved("esac");
    return node;
}

void Parser::redirections(Node& node) {
    while (redirection(node)) {
    }
}

bool Parser::redirection(Node& node) {
    const auto& token = peek();
    if (token.type != Token::Operator) {
        return false;
    }
    constexpr std::array kRedirections{"<", ">", ">>", "<&", ">&", "<>", ">|", "<<", "<<-"};
    if (std::ranges::find(kRedirections, token.op) == kRedirections.end()) {
        return false;
    }
    Token op = take();
    if (peek().type != Token::Word) {
        unfollowable();
    }
    node.redirections.push_back(Redirection{op.ioNumber, op.op, take().word, {}, false});
    if (op.op.starts_with("<<")) {
        m_pendingDocuments.emplace_back(&node, node.redirections.size() - 1);
    }
    return true;
}

void Parser::skipBlanks() {
    while (!atEnd()) {
        const char c = at();
        if (c == ' ' || c == '\t') {
            ++m_pos;
        } else if (c == '\\' && at(1) == '\n') {
            m_pos += 2;
        } else {
            break;
        }
    }
}

Parser::Token Parser::lex() {
    skipBlanks();
    Token token;
    if (atEnd()) {
        if (!m_pendingDocuments.empty()) {
            unfollowable();
        }
        return token;
    }
    char c = at();
    if (c == '#') {
        while (!atEnd() && at() != '\n') {
            ++m_pos;
        }
        return lex();
    }
    if (c == '\n') {
        ++m_pos;
        hereDocuments();
        token.type = Token::Newline;
        return token;
    }
    // Digits right before '<' or '>' name the descriptor redirected.
    std::size_t digits = 0;
    while (isDigit(at(digits))) {
        ++digits;
    }
    if (digits > 0) {
        refuseContinuation(digits);
    }
    if (digits > 0 && (at(digits) == '<' || at(digits) == '>')) {
        token.ioNumber = digits > 2 ? 99 : std::stoi(std::string(m_text.substr(m_pos, digits)));
        m_pos += digits;
        c = at();
    }
    if (isMeta(c)) {
        token.type = Token::Operator;
        const char n = at(1);
        std::string op(1, c);
        if ((c == ';' && n == ';') || (c == '&' && n == '&') || (c == '|' && n == '|') ||
            (c == '<' && (n == '<' || n == '&' || n == '>')) ||
            (c == '>' && (n == '>' || n == '&' || n == '|'))) {
            op += n;
        }
        // bash reads these as syntax of its own; dash as something else.
        if ((c == ';' && n == '&') || (c == '&' && n == '>') || (c == '|' && n == '&') ||
            (c == '(' && n == '(') || ((c == '<' || c == '>') && n == '(') ||
            (op == "<<" && at(2) == '<')) {
            unfollowable();
        }
        if (op == "<<" && at(2) == '-') {
            op += '-';
        }
        m_pos += op.size();
        token.op = std::move(op);
        if (token.ioNumber >= 0 && c != '<' && c != '>') {
            unfollowable();
        }
        return token;
    }
    token.type = Token::Word;
    token.word = wordIn(Context::Unquoted);
    token.plainWord = token.word.size() == 1 && token.word.front().kind == PartKind::Text &&
                      !token.word.front().quoted;
    if (token.plainWord) {
        token.plain = token.word.front().text;
    }
    if (token.plain != "{") {
        for (const auto& part : token.word) {
            if (part.kind == PartKind::Text && !part.quoted &&
                part.text.find('{') != std::string::npos) {
                unfollowable();  // bash's brace expansion
            }
        }
    }
    return token;
}

// Reads a word's parts up to where its context ends it: a metacharacter
// (unquoted), '"' (double quotes), '}' (the word of a ${name OP word}), the
// end of the text (a here-document's body, read as in double quotes with '"'
// a plain character).
Word Parser::wordIn(Context context) {
    const bool quoted = context != Context::Unquoted && context != Context::UnquotedBraces;
    const bool braces = context == Context::UnquotedBraces || context == Context::QuotedBraces;
    // Double quotes around ${name%pattern} leave its pattern a pattern; the
    // expansion as a whole stays quoted.
    const bool literalsQuoted = quoted && context != Context::QuotedBraces;
    Word word;
    while (true) {
        if (context == Context::Unquoted && (atEnd() || isMeta(at()))) {
            break;
        }
        if (context == Context::HereDocument && atEnd()) {
            break;
        }
        if (atEnd()) {
            unfollowable();  // an open quote or brace
        }
        const char c = at();
        if ((context == Context::DoubleQuotes && c == '"') || (braces && c == '}')) {
            ++m_pos;
            break;
        }
        if (c == '\\') {
            const char n = at(1);
            if (n == '\n') {
                m_pos += 2;
            } else if (m_pos + 1 >= m_text.size()) {
                addText(word, '\\', literalsQuoted);
                ++m_pos;
            } else if (!quoted || n == '$' || n == '`' || n == '\\' ||
                       (n == '"' && context != Context::HereDocument) || (braces && n == '}')) {
                addText(word, n, true);
                m_pos += 2;
            } else {
                addText(word, '\\', true);
                ++m_pos;
            }
        } else if ((c == '\'' || c == '"') && context == Context::QuotedBraces) {
            unfollowable();  // quotes in a quoted ${...}: the shells differ
        } else if (c == '\'' && !quoted) {
            const auto start = ++m_pos;
            while (atEnd() || at() != '\'') {
                if (atEnd()) {
                    unfollowable();
                }
                addText(word, at(), true);
                ++m_pos;
            }
            if (m_pos++ == start) {
                addEmptyQuoted(word);  // '' is an empty field of its own
            }
        } else if (c == '"' && !quoted) {
            ++m_pos;
            auto inner = wordIn(Context::DoubleQuotes);
            if (inner.empty()) {
                addEmptyQuoted(word);
            }
            for (auto& part : inner) {
                word.push_back(std::move(part));
            }
        } else if (c == '$') {
            dollar(word, quoted);
        } else if (c == '`') {
            backquote(word, quoted);
        } else if (c == '~' && !quoted) {
            word.push_back(Part{PartKind::Unknown, false, "~", {}, {}, nullptr});
            ++m_pos;
        } else if (c == '{' && context == Context::UnquotedBraces) {
            unfollowable();
        } else {
            addText(word, c, literalsQuoted);
            ++m_pos;
        }
    }
    return word;
}

// dash joins a line continued by a backslash before it reads a parameter or
// a redirection's descriptor: "$\<newline>1" is $1. Not followed.
void Parser::refuseContinuation(std::size_t offset) {
    if (at(offset) == '\\' && at(offset + 1) == '\n') {
        unfollowable();
    }
}

void Parser::dollar(Word& word, bool quoted) {
    refuseContinuation(1);
    const char n = at(1);
    if (n == '{') {
        parameter(word, quoted);
    } else if (n == '(') {
        if (at(2) == '(') {
            unfollowable();  // arithmetic
        }
        substitution(word, quoted);
    } else if ((n == '\'' || n == '"') && !quoted) {
        unfollowable();  // bash's $'...' and $"..."
    } else if (isNameStart(n)) {
        std::size_t end = m_pos + 1;
        while (end < m_text.size() && isNameChar(m_text[end])) {
            ++end;
        }
        if (end >= m_text.size() && !m_complete) {
            unfollowable();
        }
        refuseContinuation(end - m_pos);
        word.push_back(Part{PartKind::Parameter,
                            quoted,
                            std::string(m_text.substr(m_pos + 1, end - m_pos - 1)),
                            {},
                            {},
                            nullptr});
        m_pos = end;
    } else if (isDigit(n) || std::string_view("@*#?-$!").find(n) != std::string_view::npos) {
        word.push_back(Part{PartKind::Parameter, quoted, std::string(1, n), {}, {}, nullptr});
        m_pos += 2;
    } else {
        addText(word, '$', quoted);
        ++m_pos;
    }
}

void Parser::parameter(Word& word, bool quoted) {
    m_pos += 2;
    Part part{PartKind::Parameter, quoted, {}, {}, {}, nullptr};
    if (at() == '#' && at(1) != '}') {
        part.op = "length";
        ++m_pos;
    }
    if (isNameStart(at())) {
        while (isNameChar(at())) {
            part.text += at();
            ++m_pos;
        }
    } else if (isDigit(at())) {
        while (isDigit(at())) {
            part.text += at();
            ++m_pos;
        }
    } else if (std::string_view("@*#?-$!").find(at()) != std::string_view::npos && at() != '\0') {
        part.text = at();
        ++m_pos;
    } else {
        unfollowable();
    }
    if (part.text.size() > (isDigit(part.text.front()) ? 8 : 256)) {
        unfollowable();
    }
    if (at() == '}') {
        ++m_pos;
        word.push_back(std::move(part));
        return;
    }
    if (part.op == "length") {
        unfollowable();
    }
    for (const std::string_view op :
         {":-", ":=", ":+", ":?", "-", "=", "+", "?", "##", "#", "%%", "%"}) {
        if (m_text.substr(m_pos).starts_with(op)) {
            // Built anew, not assigned: GCC 12 at -O3 sees a false overlap
            // (-Wrestrict) in the assignment of a literal.
            part.op = std::string(op);
            break;
        }
    }
    if (part.op.empty()) {
        unfollowable();  // ${x/a/b}, ${x:1} and the like are bash's
    }
    m_pos += part.op.size();
    enter();
    part.word = wordIn(quoted ? Context::QuotedBraces : Context::UnquotedBraces);
    --m_depth;
    word.push_back(std::move(part));
}

void Parser::substitution(Word& word, bool quoted) {
    m_pos += 2;
    enter();
    if (m_peeked) {
        unfollowable();
    }
    const Node* inner = compoundList(true);
    if (!peekOperator(")")) {
        unfollowable();
    }
    take();
    --m_depth;
    word.push_back(Part{PartKind::Substitution, quoted, {}, {}, {}, inner});
}

void Parser::backquote(Word& word, bool quoted) {
    ++m_pos;
    std::string text;
    while (true) {
        if (atEnd()) {
            unfollowable();
        }
        const char c = at();
        ++m_pos;
        if (c == '`') {
            break;
        }
        if (c == '\\') {
            const char n = at();
            if (n == '$' || n == '`' || n == '\\' || (quoted && n == '"')) {
                text += n;
                ++m_pos;
                continue;
            }
        }
        text += c;
    }
    if (m_peeked || !m_pendingDocuments.empty()) {
        unfollowable();
    }
    enter();
    m_texts.push_back(std::move(text));
    const auto outer = std::pair(m_text, m_pos);
    const bool complete = m_complete;
    m_text = m_texts.back();
    m_pos = 0;
    m_complete = true;
    const Node* inner = compoundList(true);
    if (peek().type != Token::End) {
        unfollowable();
    }
    m_peeked = false;
    std::tie(m_text, m_pos) = outer;
    m_complete = complete;
    --m_depth;
    word.push_back(Part{PartKind::Substitution, quoted, {}, {}, {}, inner});
}

void Parser::hereDocuments() {
    auto pending = std::move(m_pendingDocuments);
    m_pendingDocuments.clear();
    for (const auto& [node, index] : pending) {
        auto& redirection = node->redirections[index];
        std::string delimiter;
        redirection.expandBody = true;
        for (const auto& part : redirection.target) {
            if (part.kind != PartKind::Text) {
                unfollowable();
            }
            delimiter += part.text;
            redirection.expandBody = redirection.expandBody && !part.quoted;
        }
        std::string body;
        while (true) {
            if (atEnd()) {
                unfollowable();  // a here-document the end of the script closes
            }
            const auto end = m_text.find('\n', m_pos);
            if (end == std::string_view::npos && !m_complete) {
                unfollowable();
            }
            auto line = m_text.substr(
                m_pos, end == std::string_view::npos ? std::string_view::npos : end - m_pos);
            m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
            if (redirection.op == "<<-") {
                line.remove_prefix(std::min(line.find_first_not_of('\t'), line.size()));
            }
            if (line == delimiter) {
                break;
            }
            if (line.find('\0') != std::string_view::npos ||
                (redirection.expandBody && line.ends_with('\\'))) {
                unfollowable();
            }
            body += line;
            body += '\n';
        }
        if (!redirection.expandBody) {
            redirection.body.push_back(Part{PartKind::Text, true, body, {}, {}, nullptr});
            continue;
        }
        m_texts.push_back(std::move(body));
        const auto outer = std::pair(m_text, m_pos);
        const bool complete = m_complete;
        m_text = m_texts.back();
        m_pos = 0;
        m_complete = true;
        redirection.body = wordIn(Context::HereDocument);
        std::tie(m_text, m_pos) = outer;
        m_complete = complete;
    }
}

}  // namespace wyn::shell
