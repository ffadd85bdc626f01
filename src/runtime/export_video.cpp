// The video: cell-grid pictures piped to ffmpeg with the show's audio, encoded as H.264 and AAC in MP4.
#include "runtime/export_video.h"

std::vector<std::string> video_encoder_arguments(int32_t width, int32_t height, int32_t fps,
                                                 const std::string& audio_path, const std::string& out_path)
{
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string scale = "scale=" + std::to_string(VIDEO_WIDTH) + ":" + std::to_string(VIDEO_HEIGHT) + ":flags=neighbor";
    // yuv420p, the AAC audio and the index at the front ("faststart") are
    // what common players and sharing sites take.
    return {"ffmpeg",
            "-hide_banner",
            "-loglevel",
            "error",
            "-nostdin",
            "-y",
            "-f",
            "rawvideo",
            "-pixel_format",
            "rgb24",
            "-video_size",
            size,
            "-framerate",
            std::to_string(fps),
            "-i",
            "pipe:0",
            "-i",
            audio_path,
            "-map",
            "0:v",
            "-map",
            "1:a",
            "-vf",
            scale,
            "-c:v",
            "libx264",
            "-preset",
            "veryfast",
            "-crf",
            "18",
            "-pix_fmt",
            "yuv420p",
            "-c:a",
            "aac",
            "-b:a",
            "192k",
            "-movflags",
            "+faststart",
            "-f",
            "mp4",
            out_path};
}

int32_t video_open(VideoExport* video, const char* final_path, std::string* why)
{
    video->frames = 0;
    video->broken = 0;
    return output_file_open(&video->file, final_path, why);
}

int32_t video_start(VideoExport* video, int32_t width, int32_t height, int32_t fps, const std::string& audio_path,
                    std::string* why)
{
    const std::string& out_path = output_file_write_path(video->file);
    std::vector<std::string> arguments = video_encoder_arguments(width, height, fps, audio_path, out_path);
    return platform_child_start(&video->encoder, arguments, why);
}

void video_write_frame(VideoExport* video, const RecordedFrame& frame)
{
    if (video->broken) {
        return;
    }
    picture_from_cells(frame, &video->picture);
    if (!platform_child_write(&video->encoder, video->picture.pixels.data(), video->picture.pixels.size())) {
        video->broken = 1;
    }
    video->frames++;
}

int32_t video_finish(VideoExport* video, std::string* why)
{
    int32_t status = platform_child_finish(&video->encoder);
    if (status != 0 || video->broken) {
        output_file_abandon(&video->file);
        *why = "ffmpeg failed (exit status " + std::to_string(status) + ")";
        return 0;
    }
    // Our handle on the file ffmpeg wrote: the commit syncs it, then renames it.
    return output_file_commit(&video->file, why);
}

void video_abandon(VideoExport* video)
{
    platform_child_kill(&video->encoder);
    output_file_abandon(&video->file);
}
