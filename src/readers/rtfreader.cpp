#include "readers/rtfreader.h"

#include "store/ansitext.h"

#include <QColor>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMaxDepth = 256;    // deeper groups share their parent's state
constexpr std::size_t kMaxColours = 1024; // later colour table entries are ignored
constexpr int kMaxWordLength = 32;
constexpr int kMaxDigits = 10;

enum class Target { Text, ColourTable, Skip };

struct CharState {
    bool bold = false, italic = false, underline = false;
    int halfpoints = 0; // 0: the document's own size
    int colour = 0;
    bool operator==(const CharState&) const = default;
};

struct GroupState {
    CharState chars;
    Target target = Target::Text;
    int uc = 1;         // characters that stand in for each \u
    int spaceafter = 0; // twips below the paragraph
};

// Destinations whose content is never text.
constexpr std::string_view kSkipped[] = {"fonttbl",      "stylesheet", "info",
                                         "pict",         "header",     "headerl",
                                         "headerr",      "headerf",    "footer",
                                         "footerl",      "footerr",    "footerf",
                                         "footnote",     "listtable",  "listoverridetable",
                                         "revtbl",       "rsidtbl",    "generator",
                                         "xmlnstbl",     "themedata",  "colorschememapping",
                                         "latentstyles", "datastore",  "object",
                                         "fldinst",      "filetbl",    "private",
                                         "nonshppict",   "shppict",    "template",
                                         "mmathPr"};

class Reader {
public:
    Reader(const QByteArray& data, QTextDocument& doc) : in_(data), cursor_(&doc) {
        cursor_.movePosition(QTextCursor::End);
    }

    void run() {
        const qsizetype n = in_.size();
        while (pos_ < n) {
            const char c = in_[pos_++];
            if (c == '{')
                opengroup();
            else if (c == '}')
                closegroup();
            else if (c == '\\')
                control();
            else if (c == '\r' || c == '\n')
                continue;
            else
                character(static_cast<unsigned char>(c));
        }
        flush();
        endblock();
    }

private:
    GroupState& state() { return stack_.back(); }

    void opengroup() {
        skipping_ = 0;
        if (stack_.size() >= kMaxDepth) {
            ++flattened_;
            return;
        }
        stack_.push_back(state());
    }

    void closegroup() {
        skipping_ = 0;
        if (flattened_ > 0) {
            --flattened_;
            return;
        }
        if (state().target == Target::ColourTable && (red_ >= 0 || green_ >= 0 || blue_ >= 0))
            endcolour();
        if (stack_.size() > 1) stack_.pop_back();
    }

    void control() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (isletter(c)) {
            word();
            return;
        }
        ++pos_;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(static_cast<unsigned char>(c));
            break;
        case '~':
            unicode(0x00A0);
            break;
        case '_':
            unicode(0x2011);
            break;
        case '\'':
            hexbyte();
            break;
        case '*':
            state().target = Target::Skip;
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default: // \- and unknown symbols show nothing
            consumeskip();
            break;
        }
    }

    void word() {
        std::string name;
        while (pos_ < in_.size() && isletter(in_[pos_])) {
            if (name.size() < kMaxWordLength) name.push_back(in_[pos_]);
            ++pos_;
        }
        bool hasParam = false, negative = false;
        long long param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && isdigit(in_[pos_])) {
            if (digits++ < kMaxDigits) param = param * 10 + (in_[pos_] - '0');
            hasParam = true;
            ++pos_;
        }
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        apply(name, hasParam, static_cast<int>(std::clamp(param, -2147483647LL, 2147483647LL)));
    }

    void apply(const std::string& name, bool hasParam, int param) {
        if (name == "bin") {
            // Binary data of the given length follows; it is never text.
            if (hasParam && param > 0) pos_ += std::min<qsizetype>(param, in_.size() - pos_);
            return;
        }
        if (name == "u") {
            unicode(static_cast<char16_t>(param < 0 ? param + 65536 : param));
            skipping_ = state().uc;
            return;
        }
        if (consumeskip()) return;
        GroupState& s = state();
        const bool on = !hasParam || param != 0;
        if (name == "colortbl") {
            s.target = Target::ColourTable;
            red_ = green_ = blue_ = -1;
        } else if (s.target == Target::ColourTable) {
            if (name == "red") red_ = std::clamp(param, 0, 255);
            if (name == "green") green_ = std::clamp(param, 0, 255);
            if (name == "blue") blue_ = std::clamp(param, 0, 255);
        } else if (std::find(std::begin(kSkipped), std::end(kSkipped), name) !=
                   std::end(kSkipped)) {
            s.target = Target::Skip;
        } else if (s.target == Target::Skip) {
            return;
        } else if (name == "par" || name == "sect") {
            paragraph();
        } else if (name == "line") {
            unicode(QChar::LineSeparator);
        } else if (name == "tab") {
            unicode(u'\t');
        } else if (name == "b") {
            s.chars.bold = on;
        } else if (name == "i") {
            s.chars.italic = on;
        } else if (name == "ul") {
            s.chars.underline = on;
        } else if (name == "ulnone") {
            s.chars.underline = false;
        } else if (name == "fs") {
            s.chars.halfpoints = hasParam ? std::clamp(param, 2, 2000) : 24;
        } else if (name == "cf") {
            s.chars.colour = std::max(param, 0);
        } else if (name == "sa") {
            s.spaceafter = std::clamp(param, 0, 2000);
        } else if (name == "pard") {
            s.spaceafter = 0;
        } else if (name == "plain") {
            s.chars = CharState{};
        } else if (name == "uc") {
            s.uc = std::clamp(param, 0, 16);
        } else if (name == "emdash") {
            unicode(0x2014);
        } else if (name == "endash") {
            unicode(0x2013);
        } else if (name == "bullet") {
            unicode(0x2022);
        } else if (name == "lquote") {
            unicode(0x2018);
        } else if (name == "rquote") {
            unicode(0x2019);
        } else if (name == "ldblquote") {
            unicode(0x201C);
        } else if (name == "rdblquote") {
            unicode(0x201D);
        }
    }

    void hexbyte() {
        int value = 0, got = 0;
        while (got < 2 && pos_ < in_.size() && isxdigit(in_[pos_])) {
            value = value * 16 + hexvalue(in_[pos_++]);
            ++got;
        }
        if (got == 2) character(static_cast<unsigned char>(value));
    }

    void character(unsigned char c) {
        GroupState& s = state();
        if (s.target == Target::ColourTable) {
            if (c == ';') endcolour();
            return;
        }
        if (consumeskip() || s.target == Target::Skip) return;
        if (c < 0x20 && c != '\t') return;
        append(fromansi(std::string(1, static_cast<char>(c))));
    }

    void unicode(char16_t u) {
        if (state().target != Target::Text) return;
        append(QString(QChar(u)));
    }

    // True when the character stands in for the \u before it and is dropped.
    bool consumeskip() {
        if (skipping_ == 0) return false;
        --skipping_;
        return true;
    }

    void paragraph() {
        if (state().target != Target::Text) return;
        flush();
        endblock();
        cursor_.insertBlock();
    }

    void endblock() {
        QTextBlockFormat f;
        f.setBottomMargin(state().spaceafter / 15.0); // twips to pixels at 96 dpi
        cursor_.mergeBlockFormat(f);
    }

    void append(const QString& text) {
        if (!(state().chars == pendingChars_)) {
            flush();
            pendingChars_ = state().chars;
        }
        pending_ += text;
    }

    void flush() {
        if (pending_.isEmpty()) return;
        QTextCharFormat f;
        f.setFontWeight(pendingChars_.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(pendingChars_.italic);
        f.setFontUnderline(pendingChars_.underline);
        if (pendingChars_.halfpoints > 0) {
            f.setFontPointSize(pendingChars_.halfpoints / 2.0);
            f.setProperty(kRtfHalfPoints, pendingChars_.halfpoints);
        }
        const auto colour = static_cast<std::size_t>(pendingChars_.colour);
        if (colour < colours_.size() && colours_[colour].isValid())
            f.setForeground(colours_[colour]);
        cursor_.insertText(pending_, f);
        pending_.clear();
    }

    void endcolour() {
        if (colours_.size() < kMaxColours)
            colours_.push_back(
                red_ < 0 && green_ < 0 && blue_ < 0
                    ? QColor()
                    : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
        red_ = green_ = blue_ = -1;
    }

    static bool isletter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isdigit(char c) { return c >= '0' && c <= '9'; }
    static bool isxdigit(char c) {
        return isdigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    static int hexvalue(char c) {
        if (isdigit(c)) return c - '0';
        return (c | 0x20) - 'a' + 10;
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;
    std::vector<GroupState> stack_{GroupState{}};
    std::size_t flattened_ = 0;
    int skipping_ = 0;
    std::vector<QColor> colours_;
    int red_ = -1, green_ = -1, blue_ = -1;
    QString pending_;
    CharState pendingChars_;
};

} // namespace

bool isrtf(const QByteArray& data) {
    return data.startsWith("{\\rtf");
}

void readrtf(const QByteArray& data, QTextDocument& doc) {
    Reader(data, doc).run();
}
