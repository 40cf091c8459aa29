#include "PaneCalcProtocol.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <vector>

#include "CornerOp.h"
#include "FormulaParser.h"
#include "PaneVolumes.h"
#include "QuadVolumes.h"
#include "SettingsReader.h"
#include "TriangleVolumes.h"
#include "wcrt.h"

namespace {

using nlohmann::json;

// Bad input of a request; its text is the answer's "error".
struct RequestError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Numbers are written with 17 significant digits, so that they read back to
// the same double; non-finite values have no JSON number and become null.
std::string Number(double value) {
    if (!std::isfinite(value)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string Text(const std::wstring& value) { return json(wcrtToUtf8(value)).dump(); }

// An answer object whose members keep the order in which they are added.
class Answer {
  public:
    Answer& Add(const char* key, const std::string& valueJson) {
        mText += (mText.empty() ? "{" : ",") + json(key).dump() + ":" + valueJson;
        return *this;
    }
    std::string Close() const { return mText.empty() ? "{}" : mText + "}"; }

  private:
    std::string mText;
};

const json& Member(const json& request, const char* key) {
    if (!request.contains(key)) throw RequestError(std::string("missing \"") + key + "\"");
    return request.at(key);
}

double NumberOf(const json& value, const char* what) {
    if (!value.is_number()) throw RequestError(std::string(what) + " must be a number");
    return value.get<double>();
}

std::vector<double> Numbers(const json& request, const char* key) {
    const json& list = Member(request, key);
    if (!list.is_array())
        throw RequestError(std::string("\"") + key + "\" must be a list of numbers");
    std::vector<double> values;
    for (const json& v : list) values.push_back(NumberOf(v, key));
    return values;
}

std::vector<AcGePoint3d> Points(const json& request) {
    const json& list = Member(request, "points");
    if (!list.is_array()) throw RequestError("\"points\" must be a list of [x,y]");
    std::vector<AcGePoint3d> points;
    for (const json& p : list) {
        if (!p.is_array() || p.size() < 2 || p.size() > 3)
            throw RequestError("a point must be [x,y] or [x,y,z]");
        points.emplace_back(NumberOf(p[0], "x"), NumberOf(p[1], "y"),
                            p.size() == 3 ? NumberOf(p[2], "z") : 0.0);
    }
    return points;
}

MapSettingsReader SettingsOf(const json& request) {
    MapSettingsReader settings;
    if (!request.contains("settings")) return settings;
    const json& map = request.at("settings");
    if (!map.is_object()) throw RequestError("\"settings\" must be an object");
    for (const auto& [name, value] : map.items()) {
        const std::string text = value.is_string() ? value.get<std::string>() : value.dump();
        settings.set(wcrtFromUtf8(name), wcrtFromUtf8(text));
    }
    return settings;
}

std::string AnswerEval(const json& request) {
    const json& text = Member(request, "text");
    if (!text.is_string()) throw RequestError("\"text\" must be a string");
    const double x = request.contains("x") ? NumberOf(request.at("x"), "x") : 0.0;
    CFormulaParser parser;
    const double value = parser.Evaluate(wcrtFromUtf8(text.get<std::string>()), x);
    return Answer().Add("value", Number(value)).Add("error", Text(parser.ErrorText())).Close();
}

std::string FullResult(const PaneVolumeResult& r) {
    return Answer()
        .Add("fill_volume", Number(r.fill.volume))
        .Add("cut_volume", Number(r.cut.volume))
        .Add("fill_area", Number(r.fill.area))
        .Add("cut_area", Number(r.cut.area))
        .Add("fill_formula", Text(r.fill.formula))
        .Add("fill_process", Text(r.fill.process))
        .Add("cut_formula", Text(r.cut.formula))
        .Add("cut_process", Text(r.cut.process))
        .Close();
}

std::string AnswerPane(const json& request) {
    const std::vector<AcGePoint3d> points = Points(request);
    const std::vector<double> first = Numbers(request, "first");
    const std::vector<double> second = Numbers(request, "second");
    if (points.size() < 3) throw RequestError("a pane needs three or more corners");
    if (first.size() != points.size() || second.size() != points.size())
        throw RequestError("\"first\" and \"second\" need one value per corner");
    const MapSettingsReader settings = SettingsOf(request);
    if (points.size() == 3) return FullResult(CalcTriangleVolumes(settings, points, first, second));
    if (points.size() == 4) return FullResult(CalcQuadVolumes(settings, points, first, second));
    double fill = 0.0, cut = 0.0;
    CalcPolygonVolumes(settings, points, first, second, fill, cut);
    return Answer().Add("fill_volume", Number(fill)).Add("cut_volume", Number(cut)).Close();
}

std::string ErrorAnswer(const std::string& text) {
    return Answer()
        .Add("error", json(text).dump(-1, ' ', false, json::error_handler_t::replace))
        .Close();
}

}  // namespace

std::string AnswerRequestLine(const std::string& line) {
    try {
        const json request = json::parse(line);
        if (!request.is_object()) throw RequestError("a request must be a JSON object");
        const json& op = Member(request, "op");
        if (op == "eval") return AnswerEval(request);
        if (op == "pane") return AnswerPane(request);
        if (op == "corner") return AnswerCornerRequest(request).dump();
        throw RequestError("unknown \"op\"");
    } catch (const RequestError& e) {
        return ErrorAnswer(e.what());
    } catch (const json::exception& e) {
        return ErrorAnswer(std::string("invalid JSON: ") + e.what());
    } catch (const std::exception& e) {
        return ErrorAnswer(e.what());
    }
}
