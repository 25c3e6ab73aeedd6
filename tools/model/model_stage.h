// What `corvane-model view` and `render` share: the model's picture set up
// in OpenGL (depth test, back faces culled, one light over the viewer's
// shoulder), its textures from the files beside it, and a camera that
// frames the whole model from a given angle around it.
#pragma once

#include <string>

class MS3DModel;

class ModelStage {
public:
    // The field of view, vertical, in degrees.
    static constexpr double kFieldOfView = 50.0;

    ModelStage(MS3DModel& model, std::string modelPath);

    // Measures the model as it is posed now: its bounding sphere.
    void Measure();
    float Radius() const { return radius; }
    // Near and far clipping distances that hold the model from any angle.
    double Near() const { return 0.02 * radius; }
    double Far() const { return 20.0 * radius; }

    // GL state, light and textures, with a current context (a line on
    // standard error for each texture that cannot be had). Release deletes
    // the textures.
    void Setup();
    void Release();

    // How far from the model's centre the camera sees all of it in a view
    // of kFieldOfView at this width-to-height ratio: from any angle (its
    // bounding sphere fits), or just as tight as the corners of its bounding
    // box allow from one angle.
    double Distance(double aspect) const;
    double TightDistance(double angle, double aspect) const;
    // Sets a perspective projection of kFieldOfView for a view of this
    // width-to-height ratio, clipping nothing of the model seen from this
    // distance.
    void Project(double aspect, double distance) const;
    // Clears and draws the model seen from `angle` radians around its
    // vertical axis (0: from +z), a little from above, from `distance`.
    void Draw(double angle, double distance);

private:

    MS3DModel& model;
    std::string path;
    float low[3] = {-1.0f, -1.0f, -1.0f};  // the bounding box
    float high[3] = {1.0f, 1.0f, 1.0f};
    double center[3] = {0.0, 0.0, 0.0};
    float radius = 1.0f;
};
