// The pictures of one tessaly-render run: view options and the frame or sequence loop.
#include "tools/render/Pictures.h"

#include <cstdio>
#include <string>

#include "load/ModelLoad.h"
#include "model/ZentorMesh.h"
#include "render/FramePreparation.h"
#include "render/Renderer.h"
#include "render/ViewState.h"
#include "tools/render/ImportOutput.h"
#include "platform/png/PngWrite.h"

namespace
{
// Writes the picture unless drawing it ran out of memory; false then, with the reason on
// stderr.
bool WritePicture(const tDrawPicture& Draw, const std::string& Path)
{
    const cRGBPicture Picture = Draw();
    if (FramePreparationOutOfMemory())
    {
        std::fprintf(stderr, "%s\n", OutOfMemoryText(View.LastScriptPath).c_str());
        return false;
    }
    WritePng(Path, Picture.Width, Picture.Height, Picture.Rgb);
    return true;
}

const AnimSeq* FindSequence(const std::string& Name)
{
    for (int SequenceNum = 0; SequenceNum < TheModel->GetNumSequences(); ++SequenceNum)
        if (TheModel->GetSequence(SequenceNum)->pszName == Name)
            return TheModel->GetSequence(SequenceNum);
    return nullptr;
}
}  // namespace

int LoadForRender(const cOptions& Opt)
{
    View.LastScriptPath = Opt.Script;
    std::string ErrorText;
    eLoadResult Result;
    {
        const cImportOutput Lines(Opt.bVerbose ? eImportLines::ToStdout : eImportLines::Discard);
        Result = LoadModel(Opt.Script, ErrorText);
    }
    if (Result == eLoadResult::Failed)
        std::fprintf(stderr, "%s\n", ErrorText.c_str());
    if (Result != eLoadResult::Loaded)
        return 1;
    View.CurrentFrame = View.SequenceStart = 0;
    View.SequenceLength = 1;
    return 0;
}

void ApplyViewOptions(const cOptions& Opt)
{
    View.PolygonFilter = static_cast<ePolygonFilter>(Opt.Filter);
    View.CameraAngleY = Opt.AngleY;
    View.CameraAngleX = Opt.AngleX;
    View.CameraOffsetY = Opt.OffsetY;
    View.CameraOffsetZ = Opt.OffsetZ;
    cRenderer& Renderer = ActiveRenderer();
    if (!Opt.bTextures)
    {
        View.TexturesOn = false;
        Renderer.ApplyTextureSwitch();
    }
    if (Opt.bBackground)
        Renderer.SetBackgroundColor(static_cast<std::uint8_t>(Opt.Background >> 16),
                                    static_cast<std::uint8_t>(Opt.Background >> 8),
                                    static_cast<std::uint8_t>(Opt.Background));
}

int WritePictures(const cOptions& Opt, const tDrawPicture& Draw)
{
    if (Opt.Sequence.empty())
    {
        View.CurrentFrame = Opt.Frame;
        return WritePicture(Draw, Opt.Output) ? 0 : 1;
    }

    const AnimSeq* pSeq = FindSequence(Opt.Sequence);
    if (!pSeq)
    {
        std::fprintf(stderr, "The script has no sequence named %s.\n", Opt.Sequence.c_str());
        return 1;
    }
    // Played as Loop Animation plays it: each picture steps one frame within the sequence.
    View.SequenceStart = View.CurrentFrame = pSeq->StartFrame;
    View.SequenceLength = pSeq->NumFrames;
    View.LoopAnimation = true;
    const int NumPictures = pSeq->NumFrames < 1 ? 1
                            : pSeq->NumFrames > MAX_FRAMES ? MAX_FRAMES
                                                           : pSeq->NumFrames;
    std::string Dir = Opt.Output;
    if (!Dir.empty() && Dir.back() != '/')
        Dir += '/';
    for (int Picture = 0; Picture < NumPictures; ++Picture)
    {
        char Name[32];
        std::snprintf(Name, sizeof Name, "_%04d.png", Picture);
        if (!WritePicture(Draw, Dir + Opt.Sequence + Name))
            return 1;
    }
    return 0;
}
