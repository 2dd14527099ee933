// The pictures of one tessaly-render run: view options, the frame, sequence and turntable
// loop, transparency from two backgrounds, and the output it goes to.
#include "tools/render/Pictures.h"

#include <cstdio>
#include <memory>
#include <string>

#include "load/ModelLoad.h"
#include "model/ZentorMesh.h"
#include "picture/Animation.h"
#include "picture/PngWrite.h"
#include "render/FramePreparation.h"
#include "render/Renderer.h"
#include "render/ViewState.h"
#include "tools/render/ImportOutput.h"

namespace
{
// Two backgrounds that differ in every channel, however a renderer rounds them.
constexpr std::uint8_t FIRST_BACKGROUND = 0x00, SECOND_BACKGROUND = 0xFF;

// Where the pictures go; whatever it wrote is removed unless Finish completes.
class cPictureOutput
{
public:
    explicit cPictureOutput(const cOptions& Opt) : mOpt(Opt)
    {
        if (Opt.OutputKind == eOutputKind::Gif || Opt.OutputKind == eOutputKind::WebP)
        {
            cAnimationSettings Settings;
            Settings.Fps = Opt.Fps;
            Settings.bTransparent = Opt.bTransparent;
            Settings.bDither = Opt.bDither;
            Settings.Quality = Opt.Quality;
            mpAnimation = OpenAnimation(Opt.OutputKind == eOutputKind::Gif ? eAnimationFormat::Gif
                                                                           : eAnimationFormat::WebP,
                                        Opt.Output, Opt.Width, Opt.Height, Settings);
        }
    }
    ~cPictureOutput()
    {
        if (!mbFinished)
            for (const std::string& Path : mWritten)
                std::remove(Path.c_str());
    }

    void Add(const cRGBAPicture& Picture)
    {
        if (mpAnimation)
            mpAnimation->Add(Picture);
        else if (mOpt.OutputKind == eOutputKind::PngFile)
            WritePng(mOpt.Output, Picture, mOpt.bTransparent);
        else
        {
            std::string Path = mOpt.Output;
            if (!Path.empty() && Path.back() != '/')
                Path += '/';
            char Number[32];
            std::snprintf(Number, sizeof Number, "_%04d.png", mNumAdded);
            Path += (mOpt.Sequence.empty() ? std::string("turntable") : mOpt.Sequence) + Number;
            WritePng(Path, Picture, mOpt.bTransparent);
            mWritten.push_back(Path);
        }
        ++mNumAdded;
    }

    void Finish()
    {
        if (mpAnimation)
            mpAnimation->Finish({});
        mbFinished = true;
    }

private:
    const cOptions& mOpt;
    std::unique_ptr<cAnimationWriter> mpAnimation;
    std::vector<std::string> mWritten;
    int mNumAdded = 0;
    bool mbFinished = false;
};

// Draws the next picture. A transparent one is drawn twice, over two backgrounds: neither
// renderer blends, so a pixel the model covers is the same in both and any other differs.
// False when drawing ran out of memory, with the reason on stderr.
bool DrawPicture(const cOptions& Opt, const tDrawPicture& Draw, cRGBAPicture& Picture)
{
    const int Frame = View.CurrentFrame;
    cRenderer& Renderer = ActiveRenderer();
    if (Opt.bTransparent)
        Renderer.SetBackgroundColor(FIRST_BACKGROUND, FIRST_BACKGROUND, FIRST_BACKGROUND);
    const cRGBPicture Drawn = Draw();
    Picture = OpaquePicture(Drawn.Width, Drawn.Height, Drawn.Rgb);
    if (Opt.bTransparent && !FramePreparationOutOfMemory())
    {
        View.CurrentFrame = Frame;
        Renderer.SetBackgroundColor(SECOND_BACKGROUND, SECOND_BACKGROUND, SECOND_BACKGROUND);
        const cRGBPicture Second = Draw();
        for (std::size_t i = 0, n = Picture.NumPixels(); i < n && 3 * i + 2 < Second.Rgb.size(); ++i)
        {
            std::uint8_t* p = &Picture.Rgba[4 * i];
            if (p[0] != Second.Rgb[3 * i] || p[1] != Second.Rgb[3 * i + 1] || p[2] != Second.Rgb[3 * i + 2])
                p[0] = p[1] = p[2] = p[3] = 0;
        }
    }
    if (FramePreparationOutOfMemory())
    {
        std::fprintf(stderr, "%s\n", OutOfMemoryText(View.LastScriptPath).c_str());
        return false;
    }
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
    int NumPictures = 1;
    View.CurrentFrame = Opt.Frame;
    if (!Opt.Sequence.empty())
    {
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
        NumPictures = pSeq->NumFrames < 1           ? 1
                      : pSeq->NumFrames > MAX_FRAMES ? MAX_FRAMES
                                                     : pSeq->NumFrames;
    }
    if (Opt.Turntable)
        NumPictures = Opt.Turntable;

    cPictureOutput Output(Opt);
    for (int k = 0; k < NumPictures; ++k)
    {
        if (Opt.Turntable)
            View.CameraAngleY = Opt.AngleY + static_cast<float>(k) * 360.0f / static_cast<float>(NumPictures);
        cRGBAPicture Picture;
        if (!DrawPicture(Opt, Draw, Picture))
            return 1;
        Output.Add(Picture);
    }
    Output.Finish();
    return 0;
}
