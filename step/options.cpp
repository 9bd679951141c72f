// The command lines' one parser: the rows say what each option takes, the program what it
// does with it, so that every program reads and refuses values the same way.
#include "step/options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "step/game_version.h"
#include "world/roster.h"

namespace {
constexpr int SPELLED_SIZE        = 32;   // "--" and the longest option's name
constexpr int WANTED_SIZE         = 64;   // "a number from L to H"
constexpr int DECIMAL_DIGITS_KEPT = 9;    // past any range: more digits are refused
constexpr int DECIMALS_READ       = 3;    // thousandths, rounded to hundredths
constexpr long long THOUSANDTHS   = 1000; // in one

bool fail(char problem[OPTION_PROBLEM_SIZE], const char* format, const char* what) {
    std::snprintf(problem, OPTION_PROBLEM_SIZE, format, what);
    return false;
}

bool takeWord(const OptionTaker& taker, const char* word, char problem[OPTION_PROBLEM_SIZE]) {
    if (taker.takeWord) return taker.takeWord(word, taker.context, problem);
    return fail(problem, "unexpected \"%s\"", shownValue(word).text);
}
} // namespace

const OptionRow* findOption(const OptionRow rows[], int count, const char* name,
                            std::size_t length) {
    for (int i = 0; i < count; ++i) {
        if (std::strlen(rows[i].name) == length && std::strncmp(rows[i].name, name, length) == 0)
            return &rows[i];
    }
    return nullptr;
}

bool readOptionNumber(const char* text, int lowest, int highest, int* number) {
    char* end        = nullptr;
    errno            = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < lowest || value > highest)
        return false;
    *number = static_cast<int>(value);
    return true;
}

bool readOptionDecimal(const char* text, int lowest, int highest, int* hundredths) {
    long long whole = 0, thousandths = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (const char* c = text; *c; ++c) {
        if (*c == '.' && !point) {
            point = true;
            continue;
        }
        if (*c < '0' || *c > '9' || ++digits > DECIMAL_DIGITS_KEPT) return false;
        if (!point) {
            whole = whole * 10 + (*c - '0');
        } else if (++decimals <= DECIMALS_READ) {
            thousandths = thousandths * 10 + (*c - '0');
        }
    }
    if (digits == 0) return false;
    for (int d = decimals; d < DECIMALS_READ; ++d)
        thousandths *= 10;
    const long long value = (whole * THOUSANDTHS + thousandths + 5) / 10; // rounded
    if (value < lowest || value > highest) return false;
    *hundredths = static_cast<int>(value);
    return true;
}

bool takeOption(const OptionRow& row, const char* spelled, const char* value,
                const OptionTaker& taker, char why[OPTION_PROBLEM_SIZE]) {
    int number     = 0;
    const bool bad = (row.kind == OptionKind::NUMBER &&
                      !readOptionNumber(value, row.lowest, row.highest, &number)) ||
                     (row.kind == OptionKind::DECIMAL &&
                      !readOptionDecimal(value, row.lowest, row.highest, &number));
    if (bad) {
        char wanted[WANTED_SIZE];
        if (row.kind == OptionKind::DECIMAL) {
            std::snprintf(wanted, sizeof wanted, "a number from %d.%02d to %d.%02d",
                          row.lowest / DECIMAL_SCALE, row.lowest % DECIMAL_SCALE,
                          row.highest / DECIMAL_SCALE, row.highest % DECIMAL_SCALE);
        } else {
            std::snprintf(wanted, sizeof wanted, "a number from %d to %d", row.lowest, row.highest);
        }
        std::snprintf(why, OPTION_PROBLEM_SIZE, "%s wants %s, not \"%s\"", spelled,
                      row.wanted ? row.wanted : wanted, shownValue(value).text);
        return false;
    }
    return taker.take(row, spelled, value, number, taker.context, why);
}

bool parseOptions(int argc, const char* const* argv, const OptionRow rows[], int count,
                  const OptionTaker& taker, char problem[OPTION_PROBLEM_SIZE]) {
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (std::strncmp(word, "--", 2) != 0 && std::strcmp(word, "-h") != 0) {
            if (word[0] == '-')
                return fail(problem, "unknown option \"%s\"", shownValue(word).text);
            if (!takeWord(taker, word, problem)) return false;
            continue;
        }
        const char* equals = std::strchr(word, '=');
        const std::size_t length =
            equals ? static_cast<std::size_t>(equals - word) : std::strlen(word);
        const OptionRow* row = std::strcmp(word, "-h") == 0
                                   ? findOption(rows, count, "help", std::strlen("help"))
                                   : findOption(rows, count, word + 2, length - 2);
        if (!row) return fail(problem, "unknown option \"%s\"", shownValue(word).text);
        char spelled[SPELLED_SIZE];
        std::snprintf(spelled, sizeof spelled, "--%s", row->name);
        const char* value = nullptr;
        if (row->kind != OptionKind::FLAG) {
            value = equals ? equals + 1 : (i + 1 < argc ? argv[++i] : nullptr);
            if (!value) return fail(problem, "%s wants a value", spelled);
        } else if (equals) {
            return fail(problem, "%s takes no value", spelled);
        }
        if (!takeOption(*row, spelled, value, taker, problem)) return false;
    }
    return true;
}

ShownValue shownValue(const char* value) {
    ShownValue out;
    printableText(value, OPTION_SHOWN_CHARS, out.text, sizeof out.text);
    return out;
}

void printOptionRows(FILE* to, const OptionRow rows[], int count, int column) {
    for (int i = 0; i < count; ++i) {
        const OptionRow& row = rows[i];
        char head[SPELLED_SIZE * 2];
        std::snprintf(head, sizeof head, "--%s%s%s", row.name, row.valueName ? " " : "",
                      row.valueName ? row.valueName : "");
        std::fprintf(to, "  %-*s %s\n", column, head, row.help);
    }
}

bool printHelpOrVersion(bool help, bool version, const char* program, void (*usage)(FILE* to)) {
    if (help) usage(stdout);
    if (version && !help) std::printf("%s %s\n", program, GAME_VERSION);
    return help || version;
}
