#include "Csv.h"

namespace coilsmith::csx {
namespace {

class CsvReader {
  public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    std::vector<CsvRecord> records() {
        std::vector<CsvRecord> out;
        while (pos_ < text_.size()) {
            CsvRecord record = readRecord();
            const bool blank = record.cells.size() == 1 && record.cells.front().empty();
            if (!blank) {
                out.push_back(std::move(record));
            }
        }
        return out;
    }

  private:
    CsvRecord readRecord() {
        CsvRecord record;
        record.line = line_;
        std::string cell;
        for (;;) {
            if (atEnd()) {
                record.cells.push_back(std::move(cell));
                return record;
            }
            const char c = text_[pos_];
            if (c == '"' && cell.empty()) {
                readQuoted(cell, record.line);
            } else if (c == ',') {
                ++pos_;
                record.cells.push_back(std::move(cell));
                cell.clear();
            } else if (c == '\n' || c == '\r') {
                skipLineEnd();
                record.cells.push_back(std::move(cell));
                return record;
            } else {
                cell += c;
                ++pos_;
            }
        }
    }

    void readQuoted(std::string& cell, int startLine) {
        ++pos_;  // opening quote
        for (;;) {
            if (atEnd()) {
                throw CsvError{startLine, "unterminated quoted cell"};
            }
            const char c = text_[pos_++];
            if (c == '"') {
                if (!atEnd() && text_[pos_] == '"') {
                    cell += '"';
                    ++pos_;
                    continue;
                }
                return;
            }
            if (c == '\n') {
                ++line_;
            }
            cell += c;
        }
    }

    void skipLineEnd() {
        if (text_[pos_] == '\r') {
            ++pos_;
        }
        if (!atEnd() && text_[pos_] == '\n') {
            ++pos_;
        }
        ++line_;
    }

    bool atEnd() const noexcept { return pos_ >= text_.size(); }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> parseCsv(std::string_view text) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark)) {
        text.remove_prefix(byteOrderMark.size());
    }
    return CsvReader(text).records();
}

}  // namespace coilsmith::csx
