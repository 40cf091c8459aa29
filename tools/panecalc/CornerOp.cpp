#include "CornerOp.h"

#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "CornerInterpolation.h"
#include "NeighbourSearch.h"

namespace {

using nlohmann::json;

struct RequestError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double NumberOf(const json& value, const std::string& what) {
    if (!value.is_number()) throw RequestError(what + " must be a number");
    return value.get<double>();
}

// [x, y, z, [e1, e2, ...]]
MLAYERELEDATA ElevationPointOf(const json& item) {
    if (!item.is_array() || item.size() != 4 || !item[3].is_array())
        throw RequestError("a point must be [x,y,z,[elevations]]");
    MLAYERELEDATA point;
    point.position.set(NumberOf(item[0], "x"), NumberOf(item[1], "y"), NumberOf(item[2], "z"));
    for (const json& e : item[3]) point.elevations.push_back(NumberOf(e, "an elevation"));
    return point;
}

ElevationPointList PointsOf(const json& request) {
    if (!request.contains("points") || !request.at("points").is_array())
        throw RequestError("\"points\" must be a list of [x,y,z,[elevations]]");
    ElevationPointList points;
    for (const json& item : request.at("points")) points.push_back(ElevationPointOf(item));
    return points;
}

AcGePoint3d CornerOf(const json& request) {
    if (!request.contains("corner")) throw RequestError("missing \"corner\"");
    const json& c = request.at("corner");
    if (!c.is_array() || c.size() < 2 || c.size() > 3)
        throw RequestError("\"corner\" must be [x,y]");
    return {NumberOf(c[0], "x"), NumberOf(c[1], "y"), 0.0};
}

// Non-finite numbers have no JSON form; they are written as null.
nlohmann::ordered_json NumberList(const std::vector<double>& values) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (double v : values)
        list.push_back(std::isfinite(v) ? nlohmann::ordered_json(v)
                                        : nlohmann::ordered_json(nullptr));
    return list;
}

nlohmann::ordered_json Answer(const json& request) {
    const ElevationPointList points = PointsOf(request);
    const AcGePoint3d corner = CornerOf(request);
    std::vector<double> values;
    const bool ok = InterpolateCorner(points, corner, values);
    const std::vector<int> neighbours = SelectNeighbourIndices(points, corner);
    nlohmann::ordered_json reply;
    reply["ok"] = ok;
    reply["values"] = NumberList(values);
    reply["neighbours"] = neighbours;
    return reply;
}

}  // namespace

nlohmann::ordered_json AnswerCornerRequest(const json& request) {
    try {
        if (!request.is_object()) throw RequestError("a request must be a JSON object");
        return Answer(request);
    } catch (const std::exception& e) {
        nlohmann::ordered_json reply;
        reply["error"] = e.what();
        return reply;
    }
}
