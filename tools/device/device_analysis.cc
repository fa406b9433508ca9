// Analysis containers and their shapes.  The device keeps what each shape
// was created and configured with, so that the read-back gives it again.
#include <cstdlib>
#include <memory>

#include <json/reader.h>
#include <json/writer.h>

#include "runtime/json_text.h"
#include "tools/device/compact_json.h"
#include "tools/device/device.h"

namespace device {

namespace {

Json::Value ParseObject(const std::string& text) {
  Json::Value value;
  if (!Foundation::ReadJson(text.data(), text.data() + text.size(), &value, true) || !value.isObject()) {
    return Json::Value(Json::objectValue);
  }
  return value;
}

// A pixel-count rectangle is stored by its corners: a size pair [w, h] from
// the page becomes [[0, 0], [w, h]].
void StoreCorners(Json::Value& data) {
  Json::Value& rect = data["PixelRectangle"];
  if (rect.isArray() && rect.size() == 2 && rect[0].isInt() && rect[1].isInt()) {
    Json::Value corners(Json::arrayValue);
    Json::Value origin(Json::arrayValue);
    origin.append(0);
    origin.append(0);
    corners.append(origin);
    corners.append(rect);
    rect = corners;
  } else if (rect.isNull()) {
    data.removeMember("PixelRectangle");
  }
}

int ShapeNumber(const std::string& text) { return std::atoi(text.c_str()); }

// The "flag" of the last call of `method` on a shape, or `otherwise`.
bool LastFlag(const Json::Value& attributes, const char* method, bool otherwise) {
  const Json::Value& flag = attributes[method]["flag"];
  return flag.isBool() ? flag.asBool() : otherwise;
}

}  // namespace

Device::Container* Device::FindContainer(const Json::Value& params) {
  auto container = containers_.find(Text(params, "containerID"));
  return container == containers_.end() ? nullptr : &container->second;
}

Device::Shape* Device::FindShape(const Json::Value& params) {
  Container* container = FindContainer(params);
  if (container == nullptr) return nullptr;
  auto shape = container->shapes.find(ShapeNumber(Text(params, "shapeID")));
  return shape == container->shapes.end() ? nullptr : &shape->second;
}

Json::Value Device::CreateVideoAnalyseContainer(const Json::Value&) {
  const std::string id = std::to_string(next_container_++);
  containers_[id] = Container();
  return id;
}

Json::Value Device::EnableVideoAnalyseContainer(const Json::Value& p) { return SetContainerAttribute(p); }

Json::Value Device::SetContainerAttribute(const Json::Value& p) {
  Container* container = FindContainer(p);
  if (container == nullptr) return false;
  container->attributes[current_method_] = p;
  return true;
}

Json::Value Device::CreateMainVideoAnalyseShape(const Json::Value& p) {
  Container* container = FindContainer(p);
  if (container == nullptr) return "0";
  Shape shape;
  shape.created = p;
  shape.created["data"] = ParseObject(Text(p, "data"));
  StoreCorners(shape.created["data"]);
  shape.view = view_.current_view;
  const int number = next_shape_++;
  container->shapes[number] = shape;
  Json::Value event(Json::objectValue);
  event["eventName"] = Text(p, "eventName");
  event["markedName"] = Text(p, "markedName");
  event["shapeID"] = std::to_string(number);
  event["curState"] = 1;
  Inbound("VideoAnalyzeConfig", event);
  return std::to_string(number);
}

Json::Value Device::AddSubVideoAnalyseShape(const Json::Value& p) {
  Container* container = FindContainer(p);
  if (container == nullptr) return "0";
  const int main = ShapeNumber(Text(p, "mainShapeID"));
  auto found = container->shapes.find(main);
  if (found == container->shapes.end() || found->second.main_shape != 0) return "0";
  Shape shape;
  shape.created = p;
  shape.created["data"] = ParseObject(Text(p, "data"));
  shape.main_shape = main;
  shape.view = found->second.view;
  const int number = next_shape_++;
  container->shapes[number] = shape;
  return std::to_string(number);
}

Json::Value Device::GetVideoAnalyseShapeConfigData(const Json::Value& p) {
  Shape* shape = FindShape(p);
  if (shape == nullptr) return "";
  // The shape's own data, with what its sub-shapes added.
  Json::Value config = shape->created["data"];
  const Container* container = FindContainer(p);
  const int number = ShapeNumber(Text(p, "shapeID"));
  for (const auto& [sub_number, sub] : container->shapes) {
    if (sub.main_shape != number) continue;
    const Json::Value& data = sub.created["data"];
    for (const std::string& name : data.getMemberNames()) config[name] = data[name];
  }
  return CompactJson(config);
}

Json::Value Device::DeleteVideoAnalyseShape(const Json::Value& p) {
  Container* container = FindContainer(p);
  const int number = ShapeNumber(Text(p, "shapeID"));
  if (container == nullptr || container->shapes.count(number) == 0) return false;
  const Json::Value created = container->shapes[number].created;
  // A main shape takes its sub-shapes with it.
  for (auto it = container->shapes.begin(); it != container->shapes.end();) {
    it = it->first == number || it->second.main_shape == number ? container->shapes.erase(it) : std::next(it);
  }
  Json::Value event(Json::objectValue);
  event["eventName"] = created.get("eventName", "");
  event["markedName"] = created.get("markedName", "");
  event["shapeID"] = std::to_string(number);
  event["preState"] = 1;
  event["curState"] = 0;
  Inbound("VideoAnalyzeConfig", event);
  return true;
}

Json::Value Device::DeleteAllVideoAnalyseShape(const Json::Value& p) {
  Container* container = FindContainer(p);
  if (container == nullptr) return false;
  container->shapes.clear();
  return true;
}

Json::Value Device::SetShapeAttribute(const Json::Value& p) {
  Shape* shape = FindShape(p);
  if (shape == nullptr) return false;
  shape->attributes[current_method_] = p;
  return true;
}

Json::Value Device::AnalysisDisplay() const {
  Json::Value display(Json::objectValue);
  display["enabled"] = false;
  display["shapes"] = Json::Value(Json::objectValue);
  for (const auto& [id, container] : containers_) {
    if (LastFlag(container.attributes, "EnableVideoAnalyseContainer", false)) display["enabled"] = true;
    for (const auto& [number, shape] : container.shapes) {
      Json::Value& out = display["shapes"][std::to_string(number)];
      out["view"] = shape.view;
      out["main"] = shape.main_shape;
      out["shapeType"] = shape.created.get("shapeType", "");
      out["markedName"] = shape.created.get("markedName", "");
      out["data"] = shape.created["data"];
      out["shown"] = LastFlag(shape.attributes, "ShowVideoAnalyseShape", true);
      out["selected"] = LastFlag(shape.attributes, "SelectVideoAnalyseShape", false);
      const Json::Value& colour = shape.attributes["SetVideoAnalyseShapeColor"];
      out["color"] = Json::Value();
      if (colour.isObject()) {
        out["color"] = Json::Value(Json::arrayValue);
        for (const char* part : {"red", "green", "blue"}) out["color"].append(Int(colour, part));
      }
    }
  }
  return display;
}

}  // namespace device
