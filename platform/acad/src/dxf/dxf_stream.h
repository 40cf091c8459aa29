// The group stream of an ASCII DXF file: pairs of lines, a group code and its
// value. The reader checks every code and value against the code's type and
// reports the first fault with its line; the writer produces the same layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dxf_error.h"
#include "dxf_groups.h"

// One group as it stands in the file. `text` is the value line exactly as
// read (line end removed), so that groups this system does not interpret can
// be written back byte for byte.
struct DxfGroup {
    int code = 0;
    std::string text;
    int line = 0;  // line of the group code, counted from 1

    bool is(int c, std::string_view value) const { return code == c && text == value; }
};

class DxfGroupReader {
  public:
    // Longest line accepted. The format's own values stay far below (strings
    // of 2049 characters, binary chunks of 254 hex digits); anything longer
    // is a damaged or hostile file.
    static constexpr size_t kMaxLineBytes = 64 * 1024;

    // `bytes` must outlive the reader. A leading UTF-8 byte-order mark is skipped.
    explicit DxfGroupReader(std::string_view bytes);

    // The next group, or nothing at the end of the input or after a fault
    // (then `failed()` is true and `error()` says why). Comments are skipped.
    std::optional<DxfGroup> next();
    // The same group without a copy: valid until the next read; null at the end.
    const DxfGroup* nextRef();
    // The next group's code and value, the value a view of the text (valid
    // while the text lives): comments skipped, no markers implied, nothing
    // kept for pushBack, values not checked against their type (a file whose
    // values are wrong fails its real reading). For passes over a whole file
    // that look at few groups.
    bool scan(int& code, std::string_view& value);
    // The next call of next() returns the last group again.
    void pushBack();
    // Release 12 wrote entities without subclass markers. Called at the
    // start of such an entity's data (after its handle), this makes next()
    // give "100 <entity>" first and "100 <own>" before the first group that is
    // not common entity data, as later releases write them.
    void impliedSubclasses(std::string entity, std::string own);
    bool atEnd() const { return !mPushedBack && mPos >= mBytes.size(); }

    bool failed() const { return mError.has_value(); }
    const DxfError& error() const { return *mError; }
    // Records a fault found by a caller (structure, references), first one wins.
    void fail(DxfFault fault, int line, std::string message);
    // Line of the last group returned, for callers' messages.
    int line() const { return mLast.line; }

  private:
    std::optional<std::string_view> readLine();
    std::optional<DxfGroup> readGroup();
    // The next group as code and a view of its value; false at the end or on a
    // fault. Without checkValue a value is taken as it stands.
    bool readView(int& code, std::string_view& value, int& codeLineNo, bool checkValue = true);
    std::optional<DxfGroup> readData();
    std::optional<DxfGroup> impliedNext();

    struct Implied {
        std::string entity, own;
        int stage = 0;  // 0: entity marker due, 1: common data, 2: own marker given
        std::optional<DxfGroup> held;
    };
    std::optional<Implied> mImplied;

    std::string_view mBytes;
    size_t mPos = 0;
    int mLine = 0;
    DxfGroup mLast;
    bool mPushedBack = false;
    std::optional<DxfError> mError;
};

// Writes groups in the layout this system uses: the code right-aligned in
// three columns, the value on the next line, lines ended by "\n". A value the
// reader would refuse (a real that is not finite, an integer too wide for its
// code, a handle above the range) is not written; the first one is kept as
// the refusal, so that the caller can refuse the whole file.
class DxfGroupWriter {
  public:
    void writeRaw(int code, std::string_view text);
    void writeString(int code, std::string_view utf8);
    void writeDouble(int code, double value);
    void writeInt(int code, int64_t value);
    void writeHandle(int code, uint64_t value);
    // x, y, z under code, code + 10, code + 20.
    void writePoint(int code, double x, double y, double z);

    const std::string& text() const { return mText; }
    std::string take() { return std::move(mText); }
    // Why a value was refused, empty while none was.
    const std::string& refusal() const { return mRefusal; }

  private:
    // The code's line: right-aligned in three columns.
    void writeCode(int code);
    void refuse(int code, const std::string& value, const char* what);

    std::string mText;
    std::string mRefusal;
};
