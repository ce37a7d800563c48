#include "msft_reader.h"

#include "platform/automation/type_info_layout.h"

#include <cstring>
#include <stdexcept>

namespace vorn::test {
namespace {

enum Segment {
    TypeInfos,
    ImpInfo,
    ImpFiles,
    RefTab,
    GuidHash,
    Guids,
    NameHash,
    Names,
    Strings,
    TypeDescs,
    SegmentCount = 15
};

class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    template <class T> T at(std::int64_t offset) const {
        if (offset < 0 || offset + sizeof(T) > bytes_.size())
            throw std::runtime_error("type library: read outside the file");
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }
    std::string text(std::int64_t offset, std::size_t length) const {
        if (offset < 0 || offset + length > bytes_.size())
            throw std::runtime_error("type library: text outside the file");
        return {reinterpret_cast<const char*>(bytes_.data() + offset), length};
    }

private:
    std::span<const std::uint8_t> bytes_;
};

struct Reader {
    Cursor in;
    std::int32_t segment[SegmentCount];

    std::string name(std::int32_t offset) const {
        const std::int32_t at = segment[Names] + offset;
        return in.text(at + 12, in.at<std::uint32_t>(at + 8) & 0xFF);
    }
    automation::GUID guid(std::int32_t offset) const {
        return in.at<automation::GUID>(segment[Guids] + offset);
    }
    // A type reference of an imported library: the identifier of that type.
    automation::GUID importedType(std::uint32_t hreftype) const {
        if (!(hreftype & 1))
            throw std::runtime_error("type library: a local user-defined type");
        return guid(in.at<std::int32_t>(segment[ImpInfo] + (hreftype & ~3u) + 8));
    }
    // A data type: a base type in place (high bit set), else a type description.
    MsftType type(std::int32_t encoded) const {
        MsftType t;
        while (encoded >= 0) {
            const std::int32_t at = segment[TypeDescs] + encoded;
            t.chain.push_back(in.at<std::uint16_t>(at));
            encoded = in.at<std::int32_t>(at + 4);
            if (t.chain.back() == automation::VT_USERDEFINED) {
                t.imported = importedType(static_cast<std::uint32_t>(encoded));
                return t;
            }
        }
        t.chain.push_back(encoded & 0x0FFF);
        return t;
    }

    std::vector<MsftFunction> functions(std::int32_t block, int count, int variables) const {
        std::vector<MsftFunction> result;
        const std::int32_t records = block + 4;
        const std::int32_t tables = records + in.at<std::int32_t>(block);
        const int all = count + variables;
        for (int i = 0; i < count; ++i) {
            const std::int32_t at = records + in.at<std::int32_t>(tables + 4 * (2 * all + i));
            const auto size = in.at<std::uint16_t>(at);
            const auto kinds = in.at<std::int32_t>(at + 16);
            const auto params = in.at<std::int16_t>(at + 20);
            MsftFunction f{name(in.at<std::int32_t>(tables + 4 * (all + i))),
                           in.at<std::int32_t>(tables + 4 * i),
                           (kinds >> 3) & 0xF,
                           kinds & 0x7,
                           in.at<std::int16_t>(at + 12),
                           {}};
            // The parameters close the record, three words each.
            for (int p = 0; p < params; ++p)
                f.params.push_back(type(in.at<std::int32_t>(at + size - 12 * (params - p))));
            result.push_back(std::move(f));
        }
        return result;
    }
};

} // namespace

MsftLibrary readMsft(std::span<const std::uint8_t> bytes) {
    Reader r{Cursor(bytes), {}};
    if (r.in.at<std::uint32_t>(0) != 0x5446534D) // "MSFT"
        throw std::runtime_error("type library: not in the MSFT format");
    const auto header = [&](int word) { return r.in.at<std::int32_t>(4 * word); };
    const int typeCount = header(8);
    std::int32_t offsets = 84 + ((header(5) & 0x100) ? 4 : 0); // a help string library adds a word
    const std::int32_t directory = offsets + 4 * typeCount;
    for (int s = 0; s < SegmentCount; ++s)
        r.segment[s] = r.in.at<std::int32_t>(directory + 16 * s);

    MsftLibrary lib{r.name(header(14)),
                    r.guid(header(2)),
                    static_cast<std::uint32_t>(header(3)),
                    header(5) & 0xF,
                    header(6) & 0xFFFF,
                    (header(6) >> 16) & 0xFFFF,
                    header(7),
                    header(9) != -1,
                    header(15) != -1,
                    {},
                    {}};

    // Imported libraries: identifier, lcid, version, then the file name's
    // length (times four) in 16 bits and the name, padded to words.
    const std::int32_t end =
        r.segment[ImpFiles] + r.in.at<std::int32_t>(directory + 16 * ImpFiles + 4);
    for (std::int32_t at = r.segment[ImpFiles]; at < end;) {
        const std::size_t length = r.in.at<std::uint16_t>(at + 12) >> 2;
        const std::int32_t version = r.in.at<std::int32_t>(at + 8);
        lib.imports.push_back({r.in.text(at + 14, length), r.guid(r.in.at<std::int32_t>(at)),
                               version & 0xFFFF, (version >> 16) & 0xFFFF});
        at += (14 + static_cast<std::int32_t>(length) + 3) & ~3;
    }

    for (int t = 0; t < typeCount; ++t) {
        const std::int32_t at = r.segment[TypeInfos] + r.in.at<std::int32_t>(offsets + 4 * t);
        const auto word = [&](int i) { return r.in.at<std::int32_t>(at + 4 * i); };
        const std::int32_t elements = word(6);
        MsftTypeInfo info{r.name(word(13)),
                          r.guid(word(11)),
                          word(0) & 0xF,
                          word(12),
                          r.in.at<std::int16_t>(at + 76),
                          {}};
        if (elements & 0xFFFF)
            info.functions = r.functions(word(1), elements & 0xFFFF, elements >> 16);
        lib.types.push_back(std::move(info));
    }
    return lib;
}

} // namespace vorn::test
