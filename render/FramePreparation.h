// Frames prepared when they are needed, within a budget. A load prepares frame 0 (its bounds
// place the model) and leaves the others waiting; the shell prepares them in idle time, a short
// slice at a time, one part of a frame per step; a frame drawn before its turn is prepared at
// once. Prepared frames are kept while their estimated size fits the budget; past it, the
// frames drawn least recently are released and wait again, and idle time prepares only the
// frames the selected sequence plays next. The renderer that built the model prepares, releases
// and sizes its frames behind the renderer seam (cRenderer).
#pragma once

#include <cstddef>

class cRenderer;

// The budget of a process that sets none: what the environment's TESSALY_FRAME_BUDGET_MB
// gives in MiB, or DEFAULT_FRAME_BUDGET_MIB.
constexpr std::size_t DEFAULT_FRAME_BUDGET_MIB = 128;
// Reads a budget in MiB from Text (a whole number from 1 to 1048576, nothing else); false when
// Text is no such number.
bool ParseFrameBudgetMiB(const char* pszText, std::size_t& MiB);
// The budget in bytes. On first use it comes from the environment; a value that is no budget
// is ignored with one warning on stderr.
std::size_t FrameBudgetBytes();
// Sets the budget for the next StartFramePreparation (tests and benchmarks).
void SetFrameBudgetBytes(std::size_t Bytes);

// Frames 0 to NumFrames - 1 of Renderer wait, in frame order from frame 0, with the budget as
// it stands. Whatever waited before is forgotten and the out-of-memory mark is cleared.
void StartFramePreparation(int NumFrames, cRenderer& Renderer);
// What a load does: StartFramePreparation, then frame 0 prepared at once and the load's progress
// reported complete (BuildProgressHook). Throws std::bad_alloc when frame 0 runs out of memory.
void StartWithFrameZero(int NumFrames, cRenderer& Renderer);
// No frame waits any more and the out-of-memory mark is cleared. Every release of the model
// calls it, so no preparation outlives its model.
void StopFramePreparation();
// Preparation in idle time goes on from Frame, then up to the last frame, then from frame 0.
void PrepareFramesFrom(int Frame);
// A paint is about to draw Frame: it is completed at once unless it is, releasing frames drawn
// least recently if it does not fit, and it becomes the most recently drawn frame.
void PrepareFrameNow(int Frame);
// Prepares parts of waiting frames for about SliceMs: at least one part, and no further one once
// the next would probably end past it. True while idle time has frames to prepare.
bool PrepareWaitingFrames(double SliceMs);
// Prepares every frame that still waits, whatever the budget (tools that need every frame).
void PrepareAllFrames();
// True while idle time has frames to prepare: any waiting frame while they all fit the budget,
// otherwise the waiting frames among those the selected sequence plays next that fit it.
bool FramesWaiting();
// True when Frame is prepared completely.
bool FramePrepared(int Frame);
// The estimated bytes the prepared frames hold, complete or in parts.
std::size_t PreparedFrameBytes();
// True once a preparation ran out of memory. Preparation stops then: no frame waits, and the
// owner of the model is expected to drop it.
bool FramePreparationOutOfMemory();

// Called before each frame's preparation starts, when set. Tests set it to make chosen frames
// fail the way a full heap would, by throwing std::bad_alloc.
extern void (*BeforeFramePreparationHook)(int Frame);
