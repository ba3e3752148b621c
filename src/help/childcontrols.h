#pragma once

class QWidget;

// Sets every direct child of container disabled (or enabled), in child
// order, first walking the same way into children that are plain panels
// (exactly QWidget or QFrame) or toolbars (exactly QToolBar). The container
// itself keeps its state. An error raised for one child is ignored and the
// walk goes on with the next.
void DisableChildControls(QWidget *container);
void EnableChildControls(QWidget *container);
