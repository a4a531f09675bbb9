#pragma once

namespace Halvard {
class Engine;
class Model;
class ModelManager;
class ShaderManager;
} // namespace Halvard

namespace Tamrisk {

class Lighting;

// A dark, half-transparent copy of an object's model (a real shadow) or a
// flat box covering it (a fake one), flattened onto the field and moved along
// the lighting's shadow direction. Made and removed only by Effects; the
// object model is not owned and must outlive the shadow. Without a lighting
// (null) the shadow falls straight down, with no offset. Main thread only.
class Shadow {
public:
    static constexpr float kAlpha = 0.25f;

    Shadow(Halvard::Engine* engine, const Lighting* lighting, Halvard::Model* objectModel, bool real);
    Shadow(const Shadow&) = delete;
    Shadow& operator=(const Shadow&) = delete;
    virtual ~Shadow();

    void SetVisible(bool visible);
    bool IsVisible() const;
    // The base of the height fade: the colour's alpha is alpha x the fade.
    void SetAlpha(float alpha) { alpha_ = alpha; }
    float GetAlpha() const { return alpha_; }
    // Follows the object; does nothing while hidden.
    void Update();

    Halvard::Model* GetModel() const { return shadowModel_; }
    Halvard::Model* GetObjectModel() const { return objectModel_; }

private:
    Halvard::ModelManager* models_;
    const Lighting* lighting_;
    Halvard::Model* objectModel_;
    Halvard::Model* shadowModel_ = nullptr;
    float alpha_ = kAlpha;
};

} // namespace Tamrisk
