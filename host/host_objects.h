// Host objects that the adapters reach through tables of virtual operations:
// the view object, the image shape and the analysis shape.  Only the slots the
// plug-in calls are named; the others keep the slot numbers in place.
#ifndef SHIMWELL_HOST_HOST_OBJECTS_H_
#define SHIMWELL_HOST_HOST_OBJECTS_H_

namespace OrvikComponentInterface {

class IImageShape {
 public:
  virtual void Reserved0() = 0;
  virtual void Reserved1() = 0;
  virtual void Reserved2() = 0;
  virtual void Reserved3() = 0;
  virtual void Reserved4() = 0;
  virtual void Reserved5() = 0;
  virtual void Reserved6() = 0;
  virtual void SetGeometry(float x, float y, float width, float height) = 0;  // slot 7
  virtual void SetVisible(bool visible) = 0;                                  // slot 8
  virtual void Reserved9() = 0;
  virtual void Reserved10() = 0;
  virtual void SetImage(int a, int b, int c, int d, const char* path, int display_value) = 0;  // 11
  virtual bool IsVisible() = 0;                                               // slot 12

 protected:
  ~IImageShape() = default;
};

class IViewObject {
 public:
  virtual void Reserved0() = 0;
  virtual void Reserved1() = 0;
  virtual void Reserved2() = 0;
  virtual void Reserved3() = 0;
  virtual void Reserved4() = 0;
  virtual void Reserved5() = 0;
  virtual void Reserved6() = 0;
  virtual void Reserved7() = 0;
  virtual void Reserved8() = 0;
  virtual void Reserved9() = 0;
  virtual IImageShape* CreateShape(const char* kind) = 0;  // slot 10

 protected:
  ~IViewObject() = default;
};

class IAnalysisShape {
 public:
  virtual void Reserved0() = 0;
  virtual void Reserved1() = 0;
  virtual void ConfigureShape(const char* key, const char* text, const char* extra) = 0;  // slot 2
  virtual void Reserved3() = 0;
  virtual void Reserved4() = 0;
  virtual void Reserved5() = 0;
  virtual void Reserved6() = 0;
  virtual void Reserved7() = 0;
  virtual void Reserved8() = 0;
  virtual void Reserved9() = 0;
  virtual void Reserved10() = 0;
  virtual void ReleaseShape() = 0;  // slot 11

 protected:
  ~IAnalysisShape() = default;
};

}  // namespace OrvikComponentInterface

#endif  // SHIMWELL_HOST_HOST_OBJECTS_H_
