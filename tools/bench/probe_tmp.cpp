// temporary: where does a styled repaint's time go
#include <windows.h>
#include <cstdio>
#include "drawing/drawing.h"
#include "styling/buttons/buttons.h"
#include "styling/frame/frame.h"
#include "styling/records/canvas.h"
#include "styling/records/records.h"
#include "styling/statics/statics.h"
#include "tools/bench/bench.h"

template <typename F>
void T(const char* what, F f, int n = 50) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) {
    double s = NowMs();
    f();
    GdiFlush();
    v.push_back(NowMs() - s);
  }
  std::printf("  %-40s %8.3f ms\n", what, Median(v));
}

void Probe(HWND styled) {
  int index = FindStyleRecord(styled);
  StyleRecord& r = StyleRecordList[index];
  RECT wr;
  GetWindowRect(styled, &wr);
  int w = wr.right - wr.left, h = wr.bottom - wr.top;
  std::printf("styled %dx%d statics %d buttons %d\n", w, h, r.statics.Count(), r.buttons.Count());
  T("PaintFrame", [&] { PaintFrame(styled); });
  T("CreateArgbBitmap", [&] { DeleteObject(CreateArgbBitmap(w, h)); });
  T("GetWindowDC+Release", [&] {
    HDC d = GetWindowDC(styled);
    ReleaseDC(styled, d);
  });
  T("WindowDcWithoutChildren", [&] {
    HDC d = WindowDcWithoutChildren(styled);
    ReleaseDC(styled, d);
  });
  T("BitBlt frame to window", [&] {
    HDC d = WindowDcWithoutChildren(styled);
    BitBlt(d, 0, 0, w, h, r.frameDC, 0, 0, SRCCOPY);
    ReleaseDC(styled, d);
  });
  T("Graphics on frameDC", [&] {
    Graphics g;
    g.CreateFromHdc(r.frameDC);
  });
  T("DrawGlowText caption", [&] {
    Graphics g;
    g.CreateFromHdc(r.frameDC);
    DrawGlowText(g, "岚舟提示", RectF{25, 0, (float)w, 30}, 0, 0xFFFFFF, 4, "黑体", 0, 11.0f, 0, 1);
  });
  T("body fills", [&] {
    Graphics g;
    g.CreateFromHdc(r.frameDC);
    SolidBrush b;
    b.Create(0xFF000000);
    g.FillRectangle(b, 0, 0, (float)w, (float)h);
    g.FillRectangle(b, 0, 0, (float)w, (float)h);
    g.FillRectangle(b, 0, 0, (float)w, (float)h);
  });
  T("caption button image", [&] {
    Graphics g;
    g.CreateFromHdc(r.frameDC);
    PaintCaptionButton(index, 1, &g, false, false);
  });
  for (int i = 1; i <= r.statics.Count(); ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "PaintStatic %d kind %d", i, r.statics[i].kind);
    T(name, [&] { PaintStatic(index, i); });
  }
  T("halo text alone", [&] {
    Graphics g;
    g.CreateFromHdc(r.frameDC);
    DrawHaloText(g, "欢迎使用岚舟YY公会一键下载教程", RectF{0, 0, 250, 20}, 0, 0xFFFFFF, 4, "宋体",
                 0, 12.0f, 0, 0, true);
  });
  T("Font create", [&] {
    Font f;
    f.CreateFromFamilyName("宋体", 12.0f, 0, 0);
  });
  for (int i = 1; i <= r.buttons.Count(); ++i)
    T("RepaintButton", [&] { RepaintButton(r.buttons[i].window, 0, false); });
  RECT cr{0, 0, 80, 30};
  T("CanvasDc 80x30", [&] { CanvasDc c(r.buttons[1].window, cr); });
  T("RedrawWindow frame only",
    [&] { RedrawWindow(styled, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME); });
  for (int i = 1; i <= r.statics.Count(); ++i)
    T("RedrawWindow static", [&] {
      RedrawWindow(r.statics[i].window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME);
    });
  T("RedrawWindow button", [&] {
    RedrawWindow(r.buttons[1].window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME);
  });
}
