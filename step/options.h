// What the three programs share of their command lines: one kind of option table, one
// parser over it, one check of every number, one help layout.
#pragma once

#include <cstdio>

constexpr int EXIT_USAGE          = 2;   // a wrong option or value
constexpr int OPTION_PROBLEM_SIZE = 256; // what is wrong with one option or one file line
constexpr int DECIMAL_SCALE       = 100; // a DECIMAL is read in hundredths

enum class OptionKind {
    FLAG,    // takes no value
    NUMBER,  // a whole number from lowest to highest
    DECIMAL, // a decimal number ("1.5") in hundredths, from lowest to highest hundredths
    TEXT     // any text; the program checks it
};

struct OptionRow {
    const char* name;      // without its dashes: "--port" or the config file's "port"
    const char* valueName; // how the help names its value; null for a FLAG
    const char* help;      // its line of the help
    OptionKind kind;
    int lowest, highest; // a NUMBER's range; a DECIMAL's in hundredths
    const char* wanted;  // what a bad NUMBER is told it wants; null: "a number from L to H"
    int id;              // the program's own name for what it sets
    bool inFile;         // a config file may set it
};

// What a program does with each option and each word that is no option. take gets the
// option as spelled ("--port" or the file's "port"), its value as given and, for a NUMBER,
// as read (a DECIMAL in hundredths); it is false with why when the value is bad.
// takeWord null refuses every such word as "unexpected".
struct OptionTaker {
    bool (*take)(const OptionRow& row, const char* spelled, const char* value, int number,
                 void* context, char why[OPTION_PROBLEM_SIZE]);
    bool (*takeWord)(const char* word, void* context, char why[OPTION_PROBLEM_SIZE]);
    void* context;
};

// The row named so (length characters of name), nullptr when none is.
const OptionRow* findOption(const OptionRow rows[], int count, const char* name,
                            std::size_t length);

// Reads text as a whole number from lowest to highest: false for garbage ("12x", ""), a
// number out of range ("-1") or past what a long holds ("99999999999999999999").
bool readOptionNumber(const char* text, int lowest, int highest, int* number);

// Reads text as digits with at most one decimal point ("0.25", "2", ".5"), rounded to
// hundredths: false for anything else or a value outside lowest to highest hundredths.
bool readOptionDecimal(const char* text, int lowest, int highest, int* hundredths);

// Hands row its value: a NUMBER (or DECIMAL) is read first and refused, naming the option as
// spelled, as "SPELLED wants a number from L to H, not "VALUE"" (or the row's wanted).
bool takeOption(const OptionRow& row, const char* spelled, const char* value,
                const OptionTaker& taker, char why[OPTION_PROBLEM_SIZE]);

// argv[1] on as "--name", "--name VALUE", "--name=VALUE" or "-h" (--help); other words go to
// takeWord. False, with what is wrong in problem, at the first unknown option, missing or
// unwanted value, or bad value.
bool parseOptions(int argc, const char* const* argv, const OptionRow rows[], int count,
                  const OptionTaker& taker, char problem[OPTION_PROBLEM_SIZE]);

// A value as a problem shows it: printable ASCII, cut to OPTION_SHOWN_CHARS.
constexpr int OPTION_SHOWN_CHARS = 40;
struct ShownValue {
    char text[OPTION_SHOWN_CHARS + 1];
};
ShownValue shownValue(const char* value);

// One line a row: "  --name VALUE" padded to column, then its help.
void printOptionRows(FILE* to, const OptionRow rows[], int count, int column);

// --help's usage or --version's "PROGRAM VERSION" on standard output (help first): true when
// either was asked, and the program ends with 0.
bool printHelpOrVersion(bool help, bool version, const char* program, void (*usage)(FILE* to));
