// Frames prepared when they are needed. A load prepares frame 0 (its bounds place the model)
// and leaves the others waiting; the shell prepares them in idle time, a short slice at a
// time, in frame order from the selected sequence; a frame drawn before its turn is prepared
// at once. Whichever renderer is active supplies the preparation of one frame.
#pragma once

// Prepares frame Frame for the active renderer. May throw std::bad_alloc.
using tPrepareFrame = void (*)(int Frame);

// Frames 0 to NumFrames - 1 wait for Prepare, in frame order from frame 0. Whatever waited
// before is forgotten and the out-of-memory mark is cleared.
void StartFramePreparation(int NumFrames, tPrepareFrame Prepare);
// What a load does: StartFramePreparation, then frame 0 prepared at once and the load's progress
// reported complete (BuildProgressHook). Throws std::bad_alloc when frame 0 runs out of memory.
void StartWithFrameZero(int NumFrames, tPrepareFrame Prepare);
// No frame waits any more and the out-of-memory mark is cleared. Every release of the model
// calls it, so no preparation outlives its model.
void StopFramePreparation();
// Preparation in idle time goes on from Frame, then up to the last frame, then from frame 0.
void PrepareFramesFrom(int Frame);
// Prepares Frame at once if it still waits; anything else is left as it is.
void PrepareFrameNow(int Frame);
// Prepares waiting frames in order for about BudgetMs: at least one, and no further one once
// the next would probably end past the budget. True while frames still wait.
bool PrepareWaitingFrames(double BudgetMs);
// Prepares every frame that still waits.
void PrepareAllFrames();
bool FramesWaiting();
// True once a preparation ran out of memory. Preparation stops then: no frame waits, and the
// owner of the model is expected to drop it.
bool FramePreparationOutOfMemory();

// Called before each frame is prepared, when set. Tests set it to make chosen frames fail the
// way a full heap would, by throwing std::bad_alloc.
extern void (*BeforeFramePreparationHook)(int Frame);
