#pragma once

namespace ui {

class Application;
class Constraint;
class Event;
class LayoutEngine;
class Pasteboard;
class Responder;
class Screen;
class View;
class Window;
class WindowBackend;
class PlatformWindow;

}
