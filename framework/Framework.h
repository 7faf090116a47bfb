#pragma once
// The whole class library: include this in code written against it.

#include "framework/Win32.h"

// Utilities: strings, collections, geometry, files.
// (utility headers)
#include "framework/String.h"
#include "framework/Point.h"
#include "framework/Size.h"
#include "framework/Rect.h"
#include "framework/List.h"
#include "framework/PtrList.h"
#include "framework/StringList.h"
#include "framework/Array.h"
#include "framework/StringArray.h"
#include "framework/TimeSpan.h"
#include "framework/Time.h"
#include "framework/Exception.h"
#include "framework/FileException.h"
#include "framework/File.h"
#include "framework/StdioFile.h"
#include "framework/FileFind.h"

// Windows, threads, application, dialogs, frames.
#include "framework/ModuleState.h"
// (core headers)
#include "framework/Object.h"
#include "framework/CmdTarget.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"
#include "framework/ScrollBar.h"
#include "framework/Menu.h"
#include "framework/WinThread.h"
#include "framework/MessagePump.h"
#include "framework/WinApp.h"
#include "framework/AfxCore.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/CreateContext.h"
#include "framework/FrameWnd.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/DocTemplate.h"
#include "framework/CommandLineInfo.h"

// GDI, controls, menus, sockets.
// (gdi and control headers)
#include "framework/GdiObject.h"
#include "framework/Pen.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Bitmap.h"
#include "framework/Rgn.h"
#include "framework/DC.h"
#include "framework/ImageList.h"
#include "framework/Button.h"
#include "framework/BitmapButton.h"
#include "framework/Static.h"
#include "framework/Edit.h"
#include "framework/ListBox.h"
#include "framework/ComboBox.h"
#include "framework/AsyncSocket.h"
#include "framework/Socket.h"
