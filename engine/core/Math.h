#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace Halvard {

// Two floats compare equal when they differ by at most this much.
constexpr float kEpsilon = 0.0001f;

inline bool NearlyEqual(float a, float b) { return std::fabs(a - b) <= kEpsilon; }

struct Vector2 {
    float x, y;

    Vector2() = default;
    constexpr Vector2(float x_, float y_) : x(x_), y(y_) {}

    Vector2 operator=(const Vector2& other)
    {
        x = other.x;
        y = other.y;
        return *this;
    }
    Vector2(const Vector2&) = default;

    Vector2 operator+(const Vector2& o) const { return Vector2(x + o.x, y + o.y); }
    Vector2 operator-(const Vector2& o) const { return Vector2(x - o.x, y - o.y); }
    Vector2 operator*(float f) const { return Vector2(x * f, y * f); }
    Vector2& operator+=(const Vector2& o)
    {
        x += o.x;
        y += o.y;
        return *this;
    }
    Vector2& operator/=(float f)
    {
        x /= f;
        y /= f;
        return *this;
    }
    float Length() const { return std::sqrt(x * x + y * y); }

    // A vector shorter than the tolerance keeps its value: no division by zero.
    void Normalize(float len = 1.0f)
    {
        const float f = Length() / len;
        if (std::fabs(f) >= kEpsilon)
            *this /= f;
    }
};

struct Vector3 {
    float x, y, z;

    Vector3() = default;
    constexpr explicit Vector3(float v) : x(v), y(v), z(v) {}
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    Vector3(const Vector3&) = default;

    Vector3 operator=(const Vector3& other)
    {
        x = other.x;
        y = other.y;
        z = other.z;
        return *this;
    }
    void SetFromVector2(const Vector2& v)
    {
        x = v.x;
        y = v.y;
        z = 0.0f;
    }

    Vector3 operator+(const Vector3& o) const { return Vector3(x + o.x, y + o.y, z + o.z); }
    Vector3 operator-(const Vector3& o) const { return Vector3(x - o.x, y - o.y, z - o.z); }
    Vector3 operator-() const { return Vector3(-x, -y, -z); }
    Vector3 operator*(float f) const { return Vector3(x * f, y * f, z * f); }
    Vector3 operator/(float f) const { return Vector3(x / f, y / f, z / f); }
    Vector3 operator*(const Vector3& o) const { return Vector3(x * o.x, y * o.y, z * o.z); }
    Vector3 operator/(const Vector3& o) const { return Vector3(x / o.x, y / o.y, z / o.z); }
    Vector3& operator+=(const Vector3& o)
    {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vector3& operator-=(const Vector3& o)
    {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    Vector3& operator*=(const Vector3& o)
    {
        x *= o.x;
        y *= o.y;
        z *= o.z;
        return *this;
    }
    Vector3& operator*=(float f)
    {
        x *= f;
        y *= f;
        z *= f;
        return *this;
    }
    Vector3& operator/=(const Vector3& o)
    {
        x /= o.x;
        y /= o.y;
        z /= o.z;
        return *this;
    }
    Vector3& operator/=(float f)
    {
        x /= f;
        y /= f;
        z /= f;
        return *this;
    }

    float Dot(const Vector3& o) const { return x * o.x + y * o.y + z * o.z; }
    Vector3 Cross(const Vector3& o) const
    {
        return Vector3(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
    }
    float Length() const { return std::sqrt(x * x + y * y + z * z); }

    // A vector shorter than the tolerance keeps its value: no division by zero.
    void Normalize(float len = 1.0f)
    {
        const float f = Length() / len;
        if (std::fabs(f) >= kEpsilon)
            *this /= f;
    }
    Vector3 GetNormalized() const
    {
        Vector3 copy = *this;
        copy.Normalize(1.0f);
        return copy;
    }
};

inline Vector3 operator*(float f, const Vector3& v) { return v * f; }

// Component by component, as boxes grow around points.
inline Vector3 Vector3Minimize(const Vector3& a, const Vector3& b)
{
    return Vector3(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z));
}

inline Vector3 Vector3Maximize(const Vector3& a, const Vector3& b)
{
    return Vector3(std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z));
}

struct Vector4 {
    float x, y, z, w;

    Vector4() = default;
    constexpr Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    Vector4(const Vector4&) = default;

    void Set(float x_, float y_, float z_, float w_)
    {
        x = x_;
        y = y_;
        z = z_;
        w = w_;
    }
    Vector4 operator=(const Vector4& other)
    {
        Set(other.x, other.y, other.z, other.w);
        return *this;
    }
    void SetFromVector3(const Vector3& v) { Set(v.x, v.y, v.z, 1.0f); }

    bool operator!=(const Vector4& o) const
    {
        return !NearlyEqual(x, o.x) || !NearlyEqual(y, o.y) || !NearlyEqual(z, o.z) || !NearlyEqual(w, o.w);
    }
    bool operator==(const Vector4& o) const { return !(*this != o); }
};

struct Matrix4;

struct Quaternion {
    float x, y, z, w;

    Quaternion() = default;
    constexpr Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    float NormSquared() const { return x * x + y * y + z * z + w * w; }
    inline void ToMatrix(Matrix4& out) const;
};

struct Ray {
    Vector3 origin;
    Vector3 direction;

    Ray() : origin(0.0f), direction(0.0f) {}
    Ray(const Vector3& origin_, const Vector3& direction_) : origin(0.0f), direction(0.0f)
    {
        Set(origin_, direction_);
    }
    void Set(const Vector3& origin_, const Vector3& direction_)
    {
        origin = origin_;
        direction = direction_;
    }
};

inline void MatrixIdentity(Matrix4& out);
inline void MatrixTranslation(Matrix4& out, const Vector3& v);

// Row-major (element row * 4 + column), transforming column vectors; the
// translation of an affine matrix lies in elements 3, 7 and 11.
struct Matrix4 {
    float m[16];

    static Matrix4 Zero() { return Matrix4{}; }

    Matrix4 operator*(const Matrix4& o) const
    {
        Matrix4 r;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                r.m[i * 4 + j] = m[i * 4 + 0] * o.m[0 * 4 + j] + m[i * 4 + 1] * o.m[1 * 4 + j] +
                                 m[i * 4 + 2] * o.m[2 * 4 + j] + m[i * 4 + 3] * o.m[3 * 4 + j];
        return r;
    }

    void Translate(const Vector3& v)
    {
        Matrix4 t;
        MatrixTranslation(t, v);
        *this = *this * t;
    }

    Vector3 TransformPoint(const Vector3& p) const
    {
        return Vector3(m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
                       m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]);
    }
    void TransformPointTo(const Vector3& p, Vector3& out) const { out = TransformPoint(p); }

    Vector4 Transform(const Vector4& v) const
    {
        return Vector4(m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3] * v.w,
                       m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7] * v.w,
                       m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11] * v.w,
                       m[12] * v.x + m[13] * v.y + m[14] * v.z + m[15] * v.w);
    }

    Ray TransformRay(const Ray& ray) const
    {
        const Vector3 origin = TransformPoint(ray.origin);
        const Vector3 end = TransformPoint(ray.origin + ray.direction);
        return Ray(origin, end - origin);
    }

    void SwapElements(int i, int j)
    {
        const float t = m[i * 4 + j];
        m[i * 4 + j] = m[j * 4 + i];
        m[j * 4 + i] = t;
    }

    void Transpose()
    {
        SwapElements(0, 1);
        SwapElements(0, 2);
        SwapElements(0, 3);
        SwapElements(1, 2);
        SwapElements(1, 3);
        SwapElements(2, 3);
    }

    // Cramer's rule; callers pass only invertible matrices.
    void Invert()
    {
        float src[16];
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                src[i * 4 + j] = m[j * 4 + i];
        float tmp[12];
        float dst[16];
        tmp[0] = src[10] * src[15];
        tmp[1] = src[11] * src[14];
        tmp[2] = src[9] * src[15];
        tmp[3] = src[11] * src[13];
        tmp[4] = src[9] * src[14];
        tmp[5] = src[10] * src[13];
        tmp[6] = src[8] * src[15];
        tmp[7] = src[11] * src[12];
        tmp[8] = src[8] * src[14];
        tmp[9] = src[10] * src[12];
        tmp[10] = src[8] * src[13];
        tmp[11] = src[9] * src[12];
        dst[0] = tmp[0] * src[5] + tmp[3] * src[6] + tmp[4] * src[7];
        dst[0] -= tmp[1] * src[5] + tmp[2] * src[6] + tmp[5] * src[7];
        dst[1] = tmp[1] * src[4] + tmp[6] * src[6] + tmp[9] * src[7];
        dst[1] -= tmp[0] * src[4] + tmp[7] * src[6] + tmp[8] * src[7];
        dst[2] = tmp[2] * src[4] + tmp[7] * src[5] + tmp[10] * src[7];
        dst[2] -= tmp[3] * src[4] + tmp[6] * src[5] + tmp[11] * src[7];
        dst[3] = tmp[5] * src[4] + tmp[8] * src[5] + tmp[11] * src[6];
        dst[3] -= tmp[4] * src[4] + tmp[9] * src[5] + tmp[10] * src[6];
        dst[4] = tmp[1] * src[1] + tmp[2] * src[2] + tmp[5] * src[3];
        dst[4] -= tmp[0] * src[1] + tmp[3] * src[2] + tmp[4] * src[3];
        dst[5] = tmp[0] * src[0] + tmp[7] * src[2] + tmp[8] * src[3];
        dst[5] -= tmp[1] * src[0] + tmp[6] * src[2] + tmp[9] * src[3];
        dst[6] = tmp[3] * src[0] + tmp[6] * src[1] + tmp[11] * src[3];
        dst[6] -= tmp[2] * src[0] + tmp[7] * src[1] + tmp[10] * src[3];
        dst[7] = tmp[4] * src[0] + tmp[9] * src[1] + tmp[10] * src[2];
        dst[7] -= tmp[5] * src[0] + tmp[8] * src[1] + tmp[11] * src[2];
        tmp[0] = src[2] * src[7];
        tmp[1] = src[3] * src[6];
        tmp[2] = src[1] * src[7];
        tmp[3] = src[3] * src[5];
        tmp[4] = src[1] * src[6];
        tmp[5] = src[2] * src[5];
        tmp[6] = src[0] * src[7];
        tmp[7] = src[3] * src[4];
        tmp[8] = src[0] * src[6];
        tmp[9] = src[2] * src[4];
        tmp[10] = src[0] * src[5];
        tmp[11] = src[1] * src[4];
        dst[8] = tmp[0] * src[13] + tmp[3] * src[14] + tmp[4] * src[15];
        dst[8] -= tmp[1] * src[13] + tmp[2] * src[14] + tmp[5] * src[15];
        dst[9] = tmp[1] * src[12] + tmp[6] * src[14] + tmp[9] * src[15];
        dst[9] -= tmp[0] * src[12] + tmp[7] * src[14] + tmp[8] * src[15];
        dst[10] = tmp[2] * src[12] + tmp[7] * src[13] + tmp[10] * src[15];
        dst[10] -= tmp[3] * src[12] + tmp[6] * src[13] + tmp[11] * src[15];
        dst[11] = tmp[5] * src[12] + tmp[8] * src[13] + tmp[11] * src[14];
        dst[11] -= tmp[4] * src[12] + tmp[9] * src[13] + tmp[10] * src[14];
        dst[12] = tmp[2] * src[10] + tmp[5] * src[11] + tmp[1] * src[9];
        dst[12] -= tmp[4] * src[11] + tmp[0] * src[9] + tmp[3] * src[10];
        dst[13] = tmp[8] * src[11] + tmp[0] * src[8] + tmp[7] * src[10];
        dst[13] -= tmp[6] * src[10] + tmp[9] * src[11] + tmp[1] * src[8];
        dst[14] = tmp[6] * src[9] + tmp[11] * src[11] + tmp[3] * src[8];
        dst[14] -= tmp[10] * src[11] + tmp[2] * src[8] + tmp[7] * src[9];
        dst[15] = tmp[10] * src[10] + tmp[4] * src[8] + tmp[9] * src[9];
        dst[15] -= tmp[8] * src[9] + tmp[11] * src[10] + tmp[5] * src[8];
        const float det = src[0] * dst[0] + src[1] * dst[1] + src[2] * dst[2] + src[3] * dst[3];
        const float inverse = 1.0f / det;
        for (int i = 0; i < 16; ++i)
            m[i] = dst[i] * inverse;
    }

    bool operator==(const Matrix4& o) const
    {
        for (int i = 0; i < 16; ++i)
            if (!NearlyEqual(m[i], o.m[i]))
                return false;
        return true;
    }
    bool operator!=(const Matrix4& o) const { return !(*this == o); }
};

inline void MatrixIdentity(Matrix4& out)
{
    out = Matrix4::Zero();
    out.m[0] = out.m[5] = out.m[10] = out.m[15] = 1.0f;
}

inline void MatrixTranslation(Matrix4& out, const Vector3& v)
{
    MatrixIdentity(out);
    out.m[3] = v.x;
    out.m[7] = v.y;
    out.m[11] = v.z;
}

inline void MatrixScaling(Matrix4& out, const Vector3& v)
{
    out = Matrix4::Zero();
    out.m[0] = v.x;
    out.m[5] = v.y;
    out.m[10] = v.z;
    out.m[15] = 1.0f;
}

inline Matrix4 MakeScalingMatrix(const Vector3& v)
{
    Matrix4 out;
    MatrixScaling(out, v);
    return out;
}

inline void MatrixRotationY(Matrix4& out, float angle)
{
    MatrixIdentity(out);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out.m[0] = c;
    out.m[2] = s;
    out.m[8] = -s;
    out.m[10] = c;
}

inline void MatrixRotationZ(Matrix4& out, float angle)
{
    MatrixIdentity(out);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out.m[0] = c;
    out.m[1] = -s;
    out.m[4] = s;
    out.m[5] = c;
}

inline void MatrixRotationAxis(Matrix4& out, const Vector3& axis, float angle)
{
    MatrixIdentity(out);
    const Vector3 a = axis.GetNormalized();
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    out.m[0] = t * a.x * a.x + c;
    out.m[1] = t * a.x * a.y - s * a.z;
    out.m[2] = t * a.x * a.z + s * a.y;
    out.m[4] = t * a.x * a.y + s * a.z;
    out.m[5] = t * a.y * a.y + c;
    out.m[6] = t * a.y * a.z - s * a.x;
    out.m[8] = t * a.x * a.z - s * a.y;
    out.m[9] = t * a.y * a.z + s * a.x;
    out.m[10] = t * a.z * a.z + c;
}

// Dividing by the squared norm lets a quaternion of any length through.
inline void Quaternion::ToMatrix(Matrix4& out) const
{
    MatrixIdentity(out);
    const float s = 2.0f / NormSquared();
    const float xs = x * s;
    const float ys = y * s;
    const float zs = z * s;
    out.m[0] = 1.0f - (y * ys + z * zs);
    out.m[1] = x * ys - w * zs;
    out.m[2] = x * zs + w * ys;
    out.m[4] = x * ys + w * zs;
    out.m[5] = 1.0f - (x * xs + z * zs);
    out.m[6] = y * zs - w * xs;
    out.m[8] = x * zs - w * ys;
    out.m[9] = y * zs + w * xs;
    out.m[10] = 1.0f - (x * xs + y * ys);
}

// Blends along the shorter arc; the result is not renormalised.
inline Quaternion& QuaternionLerp(Quaternion& out, const Quaternion& q1, const Quaternion& q2, float t)
{
    const float d = q1.x * q2.x + q1.y * q2.y + q1.z * q2.z + q1.w * q2.w;
    const float sign = d >= 0.0f ? 1.0f : -1.0f;
    const float u = 1.0f - t;
    out = Quaternion(t * sign * q2.x + u * q1.x, t * sign * q2.y + u * q1.y, t * sign * q2.z + u * q1.z,
                     t * sign * q2.w + u * q1.w);
    return out;
}

// Frees every owned element in order and empties the list.
template <typename T>
void DeleteAndClear(std::vector<T*>& list)
{
    for (T* element : list)
        delete element;
    list.clear();
}

} // namespace Halvard
