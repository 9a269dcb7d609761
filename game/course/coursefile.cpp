#include "game/course/coursefile.h"

#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"
#include "engine/fileutil/fileutil.h"
#include "game/course/checksum.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <system_error>
#include <vector>

namespace Game::CourseFile {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "tetherix course 1";
constexpr std::string_view kHeaderStart = "tetherix course";
constexpr std::string_view kChecksumKind = "fnv1a64";
constexpr size_t kGateNumbers = 10;
// Map files are hashed in pieces of this size.
constexpr size_t kHashPieceBytes = 64 * 1024;
// A rotation whose squared length is this close to 1 is kept as written: normalising it again
// would change its last digits at every save, and with them the course's record key.
constexpr float kUnitLengthTolerance = 1e-5f;

CourseReadResult refused(std::string problem)
{
    CourseReadResult result;
    result.problem = std::move(problem);
    return result;
}

// Takes the next token, separated by spaces or tabs, off the front of `rest`.
std::string_view takeToken(std::string_view& rest)
{
    rest = Engine::trim(rest, " \t");
    const size_t end = rest.find_first_of(" \t");
    const std::string_view token = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    return token;
}

bool parseFloat(std::string_view token, float& value)
{
    const char* end = token.data() + token.size();
    const auto [stop, status] = std::from_chars(token.data(), end, value);
    return status == std::errc() && stop == end && std::isfinite(value);
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (unsigned char)c < 0x20 || (unsigned char)c == 0x7F; });
}

bool finite(const glm::vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Empty when `box` is a gate the file can hold; otherwise what is wrong with it.
std::string boxProblem(const OrientedBox& box)
{
    if (!finite(box.center) || glm::any(glm::greaterThan(glm::abs(box.center), glm::vec3(kMaxCoordinate))))
        return "a centre that is not a number within the map's range";
    const glm::vec3& h = box.halfExtents;
    if (!finite(h) || glm::any(glm::lessThanEqual(h, glm::vec3(0.0f))) || glm::any(glm::greaterThan(h, glm::vec3(kMaxHalfExtent))))
        return "half extents that are not numbers above 0 and at most 100000";
    const glm::quat& q = box.rotation;
    const bool finiteRotation = std::isfinite(q.w) && std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z);
    if (!finiteRotation || (q.w == 0.0f && q.x == 0.0f && q.y == 0.0f && q.z == 0.0f))
        return "a rotation that is not a turn (not numbers, or all four 0)";
    return {};
}

// `q` (finite, not all 0) of unit length. Scaled by its largest component first, so that huge
// or tiny components neither overflow nor vanish when squared.
glm::quat unitRotation(const glm::quat& q)
{
    if (std::fabs(glm::dot(q, q) - 1.0f) <= kUnitLengthTolerance)
        return q;
    const float largest = std::max(std::max(std::fabs(q.w), std::fabs(q.x)), std::max(std::fabs(q.y), std::fabs(q.z)));
    return glm::normalize(q / largest);
}

// Reads the line's ten gate numbers into `box`, its rotation of unit length.
std::string parseBox(std::string_view rest, OrientedBox& box)
{
    float v[kGateNumbers];
    for (float& value : v) {
        if (!parseFloat(takeToken(rest), value))
            return "a gate needs ten finite numbers: centre, half extents, rotation";
    }
    if (!Engine::trim(rest, " \t").empty())
        return "more than ten numbers for a gate";
    box.center = {v[0], v[1], v[2]};
    box.halfExtents = {v[3], v[4], v[5]};
    box.rotation = glm::quat(v[6], v[7], v[8], v[9]);
    std::string problem = boxProblem(box);
    if (problem.empty())
        box.rotation = unitRotation(box.rotation);
    return problem;
}

// The state of reading one file, line by line.
class Parser {
public:
    // Reads one trimmed, non-empty line that is no comment; empty, or what is wrong with it.
    std::string line(std::string_view text);
    // The document once every line is read.
    CourseReadResult finish();

private:
    std::string name(std::string_view rest, std::optional<std::string>& into, const char* what);
    std::string checksum(std::string_view rest);
    std::string gate(GateKind kind, std::string_view rest);

    bool header = false;
    std::optional<std::string> mapName;
    std::optional<std::string> author;
    std::optional<uint64_t> mapChecksum;
    std::vector<Gate> gates;
};

std::string Parser::line(std::string_view text)
{
    if (!header) {
        if (text == kHeader) {
            header = true;
            return {};
        }
        return text.substr(0, kHeaderStart.size()) == kHeaderStart ? "a course file version this game does not know"
                                                                    : "not a course file (no \"tetherix course 1\" line)";
    }
    std::string_view rest = text;
    const std::string_view key = takeToken(rest);
    if (key == "map")
        return name(rest, mapName, "map name");
    if (key == "author")
        return name(rest, author, "author");
    if (key == "map-checksum")
        return checksum(rest);
    if (key == "start")
        return gate(GateKind::Start, rest);
    if (key == "checkpoint")
        return gate(GateKind::Checkpoint, rest);
    if (key == "finish")
        return gate(GateKind::Finish, rest);
    return "unknown item \"" + std::string(key.substr(0, 32)) + "\"";
}

std::string Parser::name(std::string_view rest, std::optional<std::string>& into, const char* what)
{
    if (into)
        return std::string("a second ") + what;
    rest = Engine::trim(rest, " \t");
    if (rest.size() > kMaxNameBytes || hasControlCharacter(rest))
        return std::string("the ") + what + " is longer than 128 bytes or holds control characters";
    into = std::string(rest);
    return {};
}

std::string Parser::checksum(std::string_view rest)
{
    if (mapChecksum)
        return "a second map checksum";
    const std::string_view kind = takeToken(rest);
    const std::optional<uint64_t> value = Checksum::fromHex(takeToken(rest));
    if (kind != kChecksumKind || !value || !Engine::trim(rest, " \t").empty())
        return "the map checksum is not \"fnv1a64\" and 16 hexadecimal digits";
    mapChecksum = value;
    return {};
}

std::string Parser::gate(GateKind kind, std::string_view rest)
{
    if (gates.size() >= Course::kMaxGates)
        return "more than " + std::to_string(Course::kMaxGates) + " gates";
    Gate g;
    g.kind = kind;
    if (kind == GateKind::Checkpoint) {
        const std::string_view token = takeToken(rest);
        const char* end = token.data() + token.size();
        const auto [stop, status] = std::from_chars(token.data(), end, g.number);
        if (status != std::errc() || stop != end || g.number < 1 || g.number > int(Course::kMaxGates))
            return "a checkpoint number is not a whole number from 1 to " + std::to_string(Course::kMaxGates);
    } else {
        const bool again = std::any_of(gates.begin(), gates.end(), [kind](const Gate& other) { return other.kind == kind; });
        if (again)
            return kind == GateKind::Start ? "a second start" : "a second finish";
    }
    std::string problem = parseBox(rest, g.box);
    if (problem.empty())
        gates.push_back(g);
    return problem;
}

CourseReadResult Parser::finish()
{
    if (!header)
        return refused("empty: no \"tetherix course 1\" line");
    if (!mapChecksum)
        return refused("no map checksum");
    std::stable_sort(gates.begin(), gates.end(), [](const Gate& a, const Gate& b) { return a.number < b.number; });
    for (size_t i = 1; i < gates.size(); ++i) {
        if (gates[i].kind == GateKind::Checkpoint && gates[i].number == gates[i - 1].number)
            return refused("two checkpoints numbered " + std::to_string(gates[i].number));
    }
    CourseReadResult result;
    for (Gate g : gates) {
        g.number = 0; // in order, so each is appended as the next number
        result.document.course.add(g);
    }
    result.document.mapName = mapName.value_or("");
    result.document.author = author.value_or("");
    result.document.mapChecksum = *mapChecksum;
    return result;
}

void appendNumber(std::string& text, float value)
{
    char buffer[32];
    const auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, value);
    text += ' ';
    text.append(buffer, status == std::errc() ? end : buffer);
}

void appendGate(std::string& text, const Gate& gate)
{
    static constexpr const char* kKeys[] = {"start", "checkpoint", "finish"};
    text += kKeys[size_t(gate.kind)];
    if (gate.kind == GateKind::Checkpoint)
        text += ' ' + std::to_string(gate.number);
    const OrientedBox& b = gate.box;
    for (float value : {b.center.x, b.center.y, b.center.z, b.halfExtents.x, b.halfExtents.y, b.halfExtents.z,
                        b.rotation.w, b.rotation.x, b.rotation.y, b.rotation.z})
        appendNumber(text, value);
    text += '\n';
}

// The gates in file order: the start, the checkpoints by number, the finish.
std::vector<const Gate*> fileOrder(const Course& course)
{
    std::vector<const Gate*> order;
    if (course.start())
        order.push_back(course.start());
    for (int n = 1; n <= int(course.checkpointCount()); ++n)
        order.push_back(course.checkpoint(n));
    if (course.finish())
        order.push_back(course.finish());
    return order;
}

} // namespace

CourseReadResult read(std::string_view text)
{
    if (text.size() > kMaxFileBytes)
        return refused("larger than " + std::to_string(kMaxFileBytes) + " bytes");
    Parser parser;
    std::string_view line;
    std::string_view ending;
    for (size_t number = 1; Engine::takeLine(text, line, ending); ++number) {
        line = Engine::trim(line);
        if (line.empty() || line.front() == '#')
            continue;
        const std::string problem = parser.line(line);
        if (!problem.empty())
            return refused("line " + std::to_string(number) + ": " + problem);
    }
    return parser.finish();
}

CourseReadResult readFile(const fs::path& path)
{
    std::error_code ec;
    const bool regular = fs::is_regular_file(path, ec);
    const uintmax_t size = regular ? fs::file_size(path, ec) : 0;
    if (!regular || ec)
        return refused("cannot be opened");
    if (size > kMaxFileBytes)
        return refused("larger than " + std::to_string(kMaxFileBytes) + " bytes");
    std::string text;
    if (!Engine::readFileBytes(path, text))
        return refused("cannot be read");
    return read(text);
}

std::string storableName(std::string_view name)
{
    std::string text(name);
    std::replace_if(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20 || (unsigned char)c == 0x7F; }, ' ');
    text = std::string(Engine::trim(text, " "));
    if (text.size() <= kMaxNameBytes)
        return text;
    size_t cut = kMaxNameBytes;
    while (cut > 0 && ((unsigned char)text[cut] & 0xC0) == 0x80)
        --cut; // a UTF-8 continuation byte: cut before the character it belongs to
    return std::string(Engine::trim(text.substr(0, cut), " "));
}

std::string encode(const CourseDocument& document, std::string* problem)
{
    const std::vector<const Gate*> gates = fileOrder(document.course);
    for (size_t i = 0; i < gates.size(); ++i) {
        const std::string wrong = boxProblem(gates[i]->box);
        if (!wrong.empty()) {
            if (problem)
                *problem = "gate " + std::to_string(i + 1) + " has " + wrong;
            return {};
        }
    }
    std::string text = std::string(kHeader) + "\n";
    text += "map " + storableName(document.mapName) + "\n";
    text += "author " + storableName(document.author) + "\n";
    text += "map-checksum " + std::string(kChecksumKind) + " " + Checksum::toHex(document.mapChecksum) + "\n";
    for (const Gate* gate : gates)
        appendGate(text, *gate);
    return text;
}

bool writeFile(const fs::path& path, const CourseDocument& document, std::string* problem)
{
    const std::string text = encode(document, problem);
    if (text.empty())
        return false;
    return Engine::writeFileAtomically(path, text.data(), text.size(), problem);
}

std::optional<uint64_t> mapChecksum(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    std::vector<char> piece(kHashPieceBytes);
    uint64_t hash = Checksum::kFnvOffset;
    while (file) {
        file.read(piece.data(), std::streamsize(piece.size()));
        hash = Checksum::fnv1a64(std::string_view(piece.data(), size_t(file.gcount())), hash);
    }
    if (file.bad() || !file.eof())
        return std::nullopt;
    return hash;
}

fs::path pathFor(const fs::path& mapPath)
{
    fs::path path = mapPath;
    return path.replace_extension(".course");
}

std::optional<CourseDocument> loadFor(const fs::path& mapPath, uint64_t mapChecksum)
{
    const fs::path path = pathFor(mapPath);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return std::nullopt;
    CourseReadResult result = readFile(path);
    if (!result.ok()) {
        Engine::logLine("COURSE NOT LOADED: " + path.u8string() + ": " + result.problem + "; the map is played freely");
        return std::nullopt;
    }
    if (result.document.mapChecksum != mapChecksum) {
        Engine::logLine("COURSE NOT LOADED: " + path.u8string() + ": made for other map bytes (checksum "
                        + Checksum::toHex(result.document.mapChecksum) + ", the map's is " + Checksum::toHex(mapChecksum)
                        + "); the map is played freely");
        return std::nullopt;
    }
    Engine::logLine("COURSE LOADED: " + path.u8string() + " (" + result.document.course.summary() + ")");
    return std::move(result.document);
}

} // namespace Game::CourseFile
