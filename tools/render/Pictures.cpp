// The pictures of one tessaly-render run: view options and the frame or sequence loop.
#include "tools/render/Pictures.h"

#include <cstdio>
#include <string>

#include "model/ZentorMesh.h"
#include "render/ViewState.h"
#include "tools/render/PngWrite.h"

namespace
{
void WritePicture(const cRGBPicture& Picture, const std::string& Path)
{
    WritePng(Path, Picture.Width, Picture.Height, Picture.Rgb);
}

const AnimSeq* FindSequence(const std::string& Name)
{
    for (int SequenceNum = 0; SequenceNum < TheModel->GetNumSequences(); ++SequenceNum)
        if (TheModel->GetSequence(SequenceNum)->pszName == Name)
            return TheModel->GetSequence(SequenceNum);
    return nullptr;
}
}  // namespace

void ApplyViewOptions(const cOptions& Opt)
{
    PolygonFilter = Opt.Filter;
    CameraAngleY = Opt.AngleY;
    CameraAngleX = Opt.AngleX;
    CameraOffsetY = Opt.OffsetY;
    CameraOffsetZ = Opt.OffsetZ;
}

int WritePictures(const cOptions& Opt, const tDrawPicture& Draw)
{
    if (Opt.Sequence.empty())
    {
        CurrentFrame = Opt.Frame;
        WritePicture(Draw(), Opt.Output);
        return 0;
    }

    const AnimSeq* pSeq = FindSequence(Opt.Sequence);
    if (!pSeq)
    {
        std::fprintf(stderr, "The script has no sequence named %s.\n", Opt.Sequence.c_str());
        return 1;
    }
    // Played as Loop Animation plays it: each picture steps one frame within the sequence.
    SequenceStart = CurrentFrame = pSeq->StartFrame;
    SequenceLength = pSeq->NumFrames;
    LoopAnimation = 1;
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
        WritePicture(Draw(), Dir + Opt.Sequence + Name);
    }
    return 0;
}
